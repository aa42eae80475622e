#include "core/export/code/code_types.h"

#include "core/common/text_utils.h"
#include "core/export/code/program_templates.h"

namespace kdk {

namespace {

const std::array<CodeTypeProfile, kCodeTypeCount> kProfiles = {{
    {.type = CodeType::Equation,
     .list_name = "Equation",
     .kdk_name = "equation",
     .language = lang::Language::Equation,
     .user_syntax = true,
     .prologue = BarePrologue,
     .epilogue = NoEpilogue},
    // SAS sets no declaration syntax of its own; an empty prefix and a line end give
    // one name per line inside its commented list.
    {.type = CodeType::Sas,
     .list_name = "SAS",
     .kdk_name = "sas",
     .language = lang::Language::Sas,
     .comment_line = "",
     .comment_block_start = "/*",
     .comment_block_end = "*/",
     .line_terminator = ";",
     .line_continuation = "",
     .var_def_start = "",
     .var_def_end = "",
     .tanh_mode = kTanhCall,
     .variable_list = VariableListForm::InCommentBlock,
     .variable_list_tick = &CodeExportControls::sas_include_var_list,
     .prologue = SasPrologue,
     .epilogue = SasEpilogue,
     .file_filter = "|SAS file (*.sas)|*.sas",
     .code_name = "SAS"},
    {.type = CodeType::Vb,
     .list_name = "VB",
     .kdk_name = "vb",
     .language = lang::Language::VisualBasic,
     .comment_line = "' ",
     .comment_block_start = "' ",
     .comment_block_end = "' ",
     .line_terminator = "",
     .line_continuation = " _",
     .var_def_start = "Dim ",
     .var_def_end = " as Double ",
     .tanh_mode = kTanhCall,
     .prologue = VbPrologue,
     .epilogue = VbEpilogue,
     .fit = StatementFit::VisualBasicLines,
     .file_filter = "|Module (*.bas)|*.bas",
     .code_name = "VB"},
    // The C continuation ends in a backslash.
    {.type = CodeType::C,
     .list_name = "C",
     .kdk_name = "c",
     .language = lang::Language::C,
     .comment_line = "",
     .comment_block_start = "/*",
     .comment_block_end = "*/",
     .line_terminator = ";",
     .line_continuation = " \\",
     .var_def_start = "double ",
     .var_def_end = ";",
     .tanh_mode = kTanhCall,
     .tanh_call = "myTanh(",
     .prologue = CPrologue,
     .epilogue = CEpilogue,
     .file_filter = "|C file (*.c)|*.c",
     .code_name = "C"},
    {.type = CodeType::F90,
     .list_name = "F90",
     .kdk_name = "f90",
     .language = lang::Language::Fortran90,
     .comment_line = "!! ",
     .comment_block_start = "!! ",
     .comment_block_end = "!! ",
     .line_terminator = "",
     .line_continuation = " &",
     .var_def_start = "REAL :: ",
     .var_def_end = "",
     .tanh_mode = kTanhCall,
     .program_box = &CodeExportControls::fortran_program,
     .prologue = FortranPrologue,
     .epilogue = FortranEpilogue,
     .fit = StatementFit::FortranLines,
     .file_filter = "|Fortran file (*.f90)|*.f90"},
    {.type = CodeType::Java,
     .list_name = "Java",
     .kdk_name = "java",
     .language = lang::Language::Java,
     .comment_line = "",
     .comment_block_start = "/*",
     .comment_block_end = "*/",
     .line_terminator = ";",
     .line_continuation = "",
     .var_def_start = "public static double ",
     .var_def_end = ";",
     .tanh_mode = kTanhCall,
     .tanh_call = "myTanh(",
     .program_box = &CodeExportControls::java_class,
     .program_name_apart = true,
     .prologue = JavaPrologue,
     .epilogue = JavaEpilogue,
     .fit = StatementFit::JavaMethods,
     .file_filter = "|Java file (*.java)|*.java"},
    {.type = CodeType::Spss,
     .list_name = "SPSS",
     .kdk_name = "spss",
     .language = lang::Language::Spss,
     .comment_line = "/*",
     .comment_block_start = "",
     .comment_block_end = "",
     .line_terminator = " .",
     .line_continuation = "",
     .var_def_start = "",
     .var_def_end = "",
     .statement_prefix = "COMPUTE ",
     .section_end = "\r\nExecute .\r\n",
     .tanh_mode = kTanhExponential,
     .one_statement_layouts = false,
     .clip_exponential_tanh = true,
     .variable_list = VariableListForm::OnCommentLines,
     .variable_list_tick = &CodeExportControls::spss_include_var_list,
     .prologue = BarePrologue,
     .epilogue = SpssEpilogue,
     .file_filter = "|SPSS syntax file (*.sps)|*.sps",
     .code_name = "SPSS"},
}};

std::string Pick(const std::optional<std::string_view>& fixed, const std::string& box) {
  return fixed ? std::string(*fixed) : box;
}

}  // namespace

const std::array<CodeTypeProfile, kCodeTypeCount>& CodeTypeTable() {
  return kProfiles;
}

const CodeTypeProfile& ProfileOf(CodeType type) {
  return kProfiles[static_cast<size_t>(type)];
}

const lang::LanguageRules& RulesOf(CodeType type) {
  return lang::RulesOf(ProfileOf(type).language);
}

std::optional<CodeType> CodeTypeFromKdkName(std::string_view name) {
  for (const CodeTypeProfile& profile : kProfiles) {
    if (profile.kdk_name == name) return profile.type;
  }
  return std::nullopt;
}

CodeSyntax SyntaxFor(const CodeExportSettings& settings) {
  const CodeTypeProfile& profile = ProfileOf(settings.code_type);
  const EquationSyntaxBoxes& boxes = settings.controls.equation;
  CodeSyntax syntax;
  syntax.comment_line = Pick(profile.comment_line, boxes.comment_line);
  syntax.comment_block_start = Pick(profile.comment_block_start, boxes.comment_block_start);
  syntax.comment_block_end = Pick(profile.comment_block_end, boxes.comment_block_end);
  syntax.line_terminator = Pick(profile.line_terminator, boxes.line_termination);
  syntax.line_continuation = Pick(profile.line_continuation, boxes.line_continuation);
  syntax.line_continuation.append(kCrLf);
  syntax.var_def_start = Pick(profile.var_def_start, boxes.pre_variable_definition);
  syntax.var_def_end = Pick(profile.var_def_end, boxes.post_variable_definition);
  syntax.var_def_end.append(kCrLf);
  syntax.statement_prefix = profile.statement_prefix;
  syntax.section_end = profile.section_end;
  syntax.tanh_mode = profile.tanh_mode.value_or(settings.equation_tanh_mode);
  return syntax;
}

int LayoutFor(CodeType type, int equation_format) {
  if (!ProfileOf(type).one_statement_layouts &&
      (equation_format == kFormatA || equation_format == kFormatB)) {
    return kFormatC;
  }
  return equation_format;
}

std::string CodeNameFor(const CodeExportSettings& settings) {
  const CodeTypeProfile& profile = ProfileOf(settings.code_type);
  if (profile.program_box != nullptr) return settings.controls.*profile.program_box;
  return std::string(profile.code_name);
}

}  // namespace kdk
