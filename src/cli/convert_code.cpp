#include "cli/converters.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/smart_names.h"
#include "platform/system_clock.h"

namespace kdk::cli {

namespace {

const std::set<std::string> kCommonValues = {"--format", "--output-name", "--root-name"};
const std::set<std::string> kCommonFlags = {"--no-smart-names", "--no-description",
                                            "--no-model-info", "--no-limits",
                                            "--no-tanh-definition"};

constexpr const char* kCommonHelp =
    "    --format A|B|C|D       A long (default), B components 1, C components 2,\n"
    "                           D components 3\n"
    "    --output-name NAME     output variable (default Kestrium_ + the model's output)\n"
    "    --root-name NAME       root of intermediate variables (default Var)\n"
    "    --no-smart-names       keep names as they are instead of cleaning them\n"
    "    --no-description --no-model-info --no-limits --no-tanh-definition\n"
    "                           leave that piece out of the comment block\n";

// Options that only some code types take, with their help lines.
struct TypeOptions {
  std::set<std::string> values;
  std::set<std::string> flags;
  std::string help;
};

TypeOptions OptionsOf(CodeType type) {
  switch (type) {
    case CodeType::Equation:
      return {{"--tanh", "--comment-line", "--comment-block-start", "--comment-block-end",
               "--line-termination", "--line-continuation", "--pre-variable", "--post-variable"},
              {},
              "    --tanh tanh|exp        tanh as a Tanh( call (default) or with Exp\n"
              "    --comment-line T --comment-block-start T --comment-block-end T\n"
              "    --line-termination T --line-continuation T --pre-variable T\n"
              "    --post-variable T      the equation's own syntax (all empty by default)\n"};
    case CodeType::Sas:
      return {{"--sas-source", "--sas-new"},
              {"--sas-append", "--no-sas-var-list"},
              "    --sas-source NAME      source data set (default source_data)\n"
              "    --sas-new NAME         new data set (default new_data)\n"
              "    --sas-append           write the output to the source data set\n"
              "    --no-sas-var-list      leave out the commented variable list\n"};
    case CodeType::Spss:
      return {{},
              {"--no-spss-remove-fields", "--no-spss-8char-warning", "--no-spss-var-list"},
              "    --no-spss-remove-fields --no-spss-8char-warning --no-spss-var-list\n"
              "                           untick that SPSS option (formats A and B become C)\n"};
    case CodeType::Java:
      return {{"--java-class"}, {}, "    --java-class NAME      class name (default Kestrium)\n"};
    case CodeType::F90:
      return {{"--fortran-program"},
              {},
              "    --fortran-program NAME program name (default Kestrium)\n"};
    default:
      return {};
  }
}

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

// The window's state after activation, then the options as the user would set the
// controls.
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
  ApplyCodeTypeSyntax(settings);
  return settings;
}

bool ConvertToCode(CodeType type, ConvertRequest& request) {
  Workspace& workspace = request.workspace;
  CodeExportSettings settings = SettingsFromArguments(type, request.args, workspace.network);
  // As the window: the text is generated from the name as typed, and Save only
  // checks that the name is not empty.
  CodeExportSettings checked = settings;
  if (!CheckOutputName(checked, request.messages)) return false;
  SystemClock clock;
  const std::string text = GenerateCode(settings, workspace, clock, request.messages);
  if (text.empty()) return false;
  workspace.output_path = request.output_path;
  return WriteConvertedText(request, text);
}

}  // namespace

std::vector<ConverterEntry> CodeConverters() {
  std::vector<ConverterEntry> entries;
  for (const CodeTypeSyntax& row : CodeTypeTable()) {
    const CodeType type = row.type;
    TypeOptions extra = OptionsOf(type);
    ConverterEntry entry;
    entry.kind = ModelKind::Network;
    entry.type = std::string(row.kdk_name);
    entry.value_options = kCommonValues;
    entry.value_options.insert(extra.values.begin(), extra.values.end());
    entry.flag_options = kCommonFlags;
    entry.flag_options.insert(extra.flags.begin(), extra.flags.end());
    // The options every code type shares are listed once, with the first type.
    if (type == CodeType::Equation) {
      entry.help = "  --to equation|sas|vb|c|f90|java|spss (network program code)\n";
      entry.help += kCommonHelp;
    }
    if (!extra.help.empty()) entry.help += "  --to " + entry.type + " also:\n" + extra.help;
    entry.run = [type](ConvertRequest& request) { return ConvertToCode(type, request); };
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace kdk::cli
