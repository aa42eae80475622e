#include "core/export/code/code_types.h"

#include "core/common/text_utils.h"

namespace kdk {

namespace {

constexpr std::string_view kCrLfText = "\r\n";

// The C continuation ends in a backslash; the rest of the row is plain text.
const std::array<CodeTypeSyntax, kCodeTypeCount> kTable = {{
    {CodeType::Equation, "Equation", "equation", std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, std::nullopt, "", kCrLfText, std::nullopt, "", ""},
    // SAS sets no declaration syntax of its own; an empty prefix and a line end
    // give one name per line inside its commented list.
    {CodeType::Sas, "SAS", "sas", "", "/*", "*/", ";", "", "", "", "", kCrLfText, kTanhCall,
     "|SAS file (*.sas)|*.sas", "SAS"},
    {CodeType::Vb, "VB", "vb", "' ", "' ", "' ", "", " _", "Dim ", " as Double ", "", kCrLfText,
     kTanhCall, "|Module (*.bas)|*.bas", "VB"},
    {CodeType::C, "C", "c", "", "/*", "*/", ";", " \\", "double ", ";", "", kCrLfText, kTanhCall,
     "|C file (*.c)|*.c", "C"},
    {CodeType::F90, "F90", "f90", "!! ", "!! ", "!! ", "", " &", "REAL :: ", "", "", kCrLfText,
     kTanhCall, "|Fortran file (*.f90)|*.f90", ""},
    {CodeType::Java, "Java", "java", "", "/*", "*/", ";", "", "public static double ", ";", "",
     kCrLfText, kTanhCall, "|Java file (*.java)|*.java", ""},
    {CodeType::Spss, "SPSS", "spss", "/*", "", "", " .", "", "", "", "COMPUTE ",
     "\r\nExecute .\r\n", kTanhExponential, "|SPSS syntax file (*.sps)|*.sps", "SPSS"},
}};

std::string Pick(const std::optional<std::string_view>& fixed, const std::string& box) {
  return fixed ? std::string(*fixed) : box;
}

}  // namespace

const std::array<CodeTypeSyntax, kCodeTypeCount>& CodeTypeTable() {
  return kTable;
}

std::string_view TanhCallOf(CodeType type) {
  return type == CodeType::C || type == CodeType::Java ? "myTanh(" : "Tanh(";
}

const CodeTypeSyntax& SyntaxOf(CodeType type) {
  return kTable[static_cast<size_t>(type)];
}

std::optional<CodeType> CodeTypeFromKdkName(std::string_view name) {
  for (const CodeTypeSyntax& row : kTable) {
    if (row.kdk_name == name) return row.type;
  }
  return std::nullopt;
}

void ApplyCodeTypeSyntax(CodeExportSettings& settings) {
  const CodeTypeSyntax& row = SyntaxOf(settings.code_type);
  const EquationSyntaxBoxes& boxes = settings.controls.equation;
  settings.comment_line = Pick(row.comment_line, boxes.comment_line);
  settings.comment_block_start = Pick(row.comment_block_start, boxes.comment_block_start);
  settings.comment_block_end = Pick(row.comment_block_end, boxes.comment_block_end);
  settings.line_terminator = Pick(row.line_terminator, boxes.line_termination);
  settings.line_continuation = Pick(row.line_continuation, boxes.line_continuation);
  settings.line_continuation.append(kCrLf);
  settings.var_def_start = Pick(row.var_def_start, boxes.pre_variable_definition);
  settings.var_def_end = Pick(row.var_def_end, boxes.post_variable_definition);
  settings.var_def_end.append(kCrLf);
  settings.statement_prefix = std::string(row.statement_prefix);
  settings.section_end = std::string(row.section_end);
  settings.tanh_mode = row.tanh_mode.value_or(settings.equation_tanh_mode);
  settings.file_filter = std::string(row.file_filter);
  switch (settings.code_type) {
    case CodeType::F90:
      settings.code_name = settings.controls.fortran_program;
      break;
    case CodeType::Java:
      settings.code_name = settings.controls.java_class;
      break;
    default:
      settings.code_name = std::string(row.code_name);
      break;
  }
  if (settings.code_type == CodeType::Spss &&
      (settings.equation_format == kFormatA || settings.equation_format == kFormatB)) {
    settings.equation_format = kFormatC;
  }
}

}  // namespace kdk
