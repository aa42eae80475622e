#include "cli/code_settings.h"

#include "core/common/text_utils.h"
#include "core/export/code/smart_names.h"

namespace kdk::cli {

namespace {

bool ParseFormat(const std::string& word, int& format) {
  if (word == "A")
    format = kFormatA;
  else if (word == "B")
    format = kFormatB;
  else if (word == "C")
    format = kFormatC;
  else if (word == "D")
    format = kFormatD;
  else
    return false;
  return true;
}

}  // namespace

CodeExportSettings SettingsFromArguments(CodeType type, const Arguments& args,
                                         const NetworkModel& model) {
  CodeExportSettings settings;
  ResetNames(settings, model);
  settings.output_field_name = args.Value("--output-name", settings.output_field_name);
  settings.root_name = args.Value("--root-name", settings.root_name);
  if (!ParseFormat(args.Value("--format", "A"), settings.equation_format)) {
    throw UsageError{"--format takes A, B, C or D"};
  }
  const std::string tanh = args.Value("--tanh", "tanh");
  if (tanh != "tanh" && tanh != "exp") throw UsageError{"--tanh takes tanh or exp"};
  settings.equation_tanh_mode = tanh == "tanh" ? kTanhCall : kTanhExponential;

  CodeExportControls& controls = settings.controls;
  controls.smart_field_names = !args.Has("--no-smart-names");
  controls.include_description = !args.Has("--no-description");
  controls.include_header = !args.Has("--no-model-info");
  controls.include_limits = !args.Has("--no-limits");
  controls.include_tanh = !args.Has("--no-tanh-definition");
  controls.sas_include_var_list = !args.Has("--no-sas-var-list");
  controls.spss_remove_fields = !args.Has("--no-spss-remove-fields");
  controls.spss_8char_warning = !args.Has("--no-spss-8char-warning");
  controls.spss_include_var_list = !args.Has("--no-spss-var-list");
  controls.java_class = args.Value("--java-class", controls.java_class);
  controls.fortran_program = args.Value("--fortran-program", controls.fortran_program);
  EquationSyntaxBoxes& boxes = controls.equation;
  boxes.comment_line = args.Value("--comment-line", "");
  boxes.comment_block_start = args.Value("--comment-block-start", "");
  boxes.comment_block_end = args.Value("--comment-block-end", "");
  boxes.line_termination = args.Value("--line-termination", "");
  boxes.line_continuation = args.Value("--line-continuation", "");
  boxes.pre_variable_definition = args.Value("--pre-variable", "");
  boxes.post_variable_definition = args.Value("--post-variable", "");

  settings.sas_source_data = TrimBlanks(args.Value("--sas-source", "source_data"));
  settings.sas_new_data = TrimBlanks(args.Value("--sas-new", "new_data"));
  if (args.Has("--sas-append")) {
    settings.append_to_source = true;
    settings.sas_new_data = settings.sas_source_data;
  }
  settings.code_type = type;
  return settings;
}

}  // namespace kdk::cli
