#include "core/export/code/program_templates.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "core/common/text_utils.h"
#include "core/export/code/program_names.h"
#include "core/export/code/smart_names.h"
#include "core/lang/language_rules.h"

namespace kdk {

namespace {

constexpr std::string_view kLongNameMark = " ** MORE THAN 8 CHARACTERS **";

// Each row starts on a new line: CR LF, then its text.
void AppendRows(std::string& out, std::initializer_list<std::string_view> rows) {
  for (std::string_view row : rows) {
    out.append(kCrLf);
    out.append(row);
  }
}

// Lines joined by CR LF, the first continuing the current line.
void AppendJoined(std::string& out, std::initializer_list<std::string_view> lines) {
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) out.append(kCrLf);
    out.append(line);
    first = false;
  }
}

void AppendDeclaration(std::string& out, const CodeExportSettings& settings, std::string_view name,
                       bool mark_long_names) {
  out.append(settings.var_def_start);
  out.append(name);
  if (mark_long_names && name.size() >= 9) out.append(kLongNameMark);
  out.append(settings.var_def_end);
}

std::string SasDataStep(const CodeExportSettings& settings) {
  std::string text;
  text.append("Data ").append(settings.sas_new_data).append(";");
  text.append(kCrLf);
  text.append("Set ").append(settings.sas_source_data).append(";");
  text.append(kCrLf);
  return text;
}

std::string VbPrologue(const CodeExportSettings& settings, const NetworkModel& model,
                       const ProgramNames& names) {
  const std::string model_output = SmartName(model.output_name, settings.smart_names);
  std::string text;
  AppendRows(text, {"Public Sub NeuralPrediction()", "", "\tGetDataValues"});
  text.append(kCrLf);
  text.append("\tMsgBox \"");
  lang::AppendStringBody(lang::RulesOf(lang::Language::VisualBasic), text, model_output);
  text.append(" = \" & calcnet");
  AppendRows(text, {"", "End Sub", "", "Private Sub GetDataValues()", "",
                    "\t'this is where the data values are set"});
  for (const std::string& name : names.inputs) {
    text.append(kCrLf);
    text.append("\t").append(name).append(" = InputBox(\"").append(name).append("\")");
  }
  AppendRows(text, {"", "End Sub", "", "Private Function Calcnet() as Double"});
  text.append(kCrLf);
  return text;
}

std::string FortranPrologue(const ProgramNames& names, const std::string& variables) {
  std::string text;
  text.append("Program ").append(names.program);
  text.append(kCrLf).append(variables);
  AppendRows(text, {"Call GetInputData", "Call CalcNet"});
  text.append(kCrLf).append("Print *, ").append(names.output);
  AppendRows(text, {"", "CONTAINS", "", "SUBROUTINE GetInputData", "",
                    "\t!! this is where the data values are set"});
  for (const std::string& name : names.inputs) {
    text.append(kCrLf).append("\tPrint *, '").append(name).append("?'");
    text.append(kCrLf).append("\tRead *, ").append(name);
  }
  AppendRows(text, {"", "END SUBROUTINE GetInputData", "", "SUBROUTINE CalcNet"});
  text.append(kCrLf);
  return text;
}

void AppendPlaceholderValues(std::string& text, const ProgramNames& names) {
  for (const std::string& name : names.inputs) {
    text.append(kCrLf).append("\t").append(name).append(" = 10;");
  }
}

std::string JavaPrologue(const ProgramNames& names, const std::string& variables) {
  std::string text;
  AppendRows(text, {"import java.lang.Math;", "import java.io.*;", ""});
  text.append(kCrLf).append("public class ").append(names.program);
  AppendRows(text, {"{"});
  text.append(kCrLf).append(variables);
  AppendRows(text,
             {"", "public static void main(String[] args)", "{", "\tinitData();", "\tcalcNet();"});
  text.append(kCrLf).append("\tSystem.out.println(").append(names.output).append(");");
  AppendRows(text, {"}", "", "public static void initData()", "{", "// data is set here"});
  AppendPlaceholderValues(text, names);
  AppendRows(text, {"}", "", "public static void calcNet()", "{"});
  return text;
}

std::string CPrologue(const ProgramNames& names, const std::string& variables) {
  std::string text;
  AppendRows(text, {"#include <stdlib.h>", "#include <stdio.h>", "#include <math.h>"});
  text.append(kCrLf).append(variables);
  AppendRows(text, {"void initData(void);", "void calcNet(void);", "double myTanh(double x);", "",
                    "void main()", "{", "\tinitData();", "\tcalcNet();"});
  text.append(kCrLf)
      .append("\tprintf(\"\\nthe answer is %.2f \\n\",")
      .append(names.output)
      .append(");");
  AppendRows(text, {"}", "", "void initData()", "{", "/*", "data is set here*/"});
  AppendPlaceholderValues(text, names);
  AppendRows(text, {"}", "", "void calcNet()", "{"});
  return text;
}

std::string VbEpilogue(const ProgramNames& names) {
  std::string text;
  text.append(kCrLf).append("Calcnet = ").append(names.output);
  AppendRows(text, {"", "End Function", "", "", "Private Function Tanh(xval As Double) As Double",
                    "", "\t'this function calculates tanh of Xval",
                    "\t'bounds put in because of the limits on exp in VB", "\tIf xval > 20 Then",
                    "\t    Tanh = 1", "\tElseIf xval < -20 Then", "\t    Tanh = -1", "\tElse",
                    "\t    Tanh = (Exp(xval) - Exp((-1) * xval)) / (Exp(xval) + Exp((-1) * xval))",
                    "\tEnd If", "", "End Function"});
  text.append(kCrLf).append(kCrLf);
  return text;
}

// Drops the intermediate variables from the data set. The list's first entry is
// always empty and names nothing, so only named entries are listed.
std::string SpssEpilogue(const CodeExportSettings& settings, const CodePlan& plan) {
  std::string text;
  if (!settings.controls.spss_remove_fields) return text;
  AppendJoined(text, {"MATCH FILES", " /FILE=*", " /DROP="});
  for (const std::string& name : plan.temporaries) {
    if (name.empty()) continue;
    text.append(kCrLf).append(" ").append(name);
  }
  text.append(" .");
  return text;
}

}  // namespace

std::string VariableList(const CodeExportSettings& settings, const CodePlan& plan) {
  const ProgramNames& written = plan.names;
  const CodeType type = settings.code_type;
  const CodeExportControls& controls = settings.controls;
  if (type == CodeType::Sas && !controls.sas_include_var_list) return {};
  if (type == CodeType::Spss && !controls.spss_include_var_list && !controls.spss_8char_warning) {
    return {};
  }
  const bool mark_long = type == CodeType::Spss && controls.spss_8char_warning;
  // SPSS puts every name on a comment line: each line end of the list is followed by
  // the comment mark, written here as the list is built.
  const std::string line_end =
      type == CodeType::Spss ? std::string(kCrLf) + settings.comment_line : std::string(kCrLf);
  CodeExportSettings syntax;
  syntax.var_def_start = ReplaceAll(settings.var_def_start, kCrLf, line_end);
  syntax.var_def_end = ReplaceAll(settings.var_def_end, kCrLf, line_end);
  bool any_temps = false;
  std::size_t size = 64;
  for (const std::string& name : plan.temporaries) {
    any_temps = any_temps || !name.empty();
    size += name.size() + 48;
  }
  size += (written.inputs.size() + 1) * 48;
  std::string list;
  list.reserve(size);
  if (type == CodeType::Sas) list.append(kCrLf).append(settings.comment_block_start);
  list.append(line_end);
  for (const std::string& name : written.inputs) {
    AppendDeclaration(list, syntax, name, mark_long);
  }
  AppendDeclaration(list, syntax, written.output, mark_long);
  if (any_temps) {
    list.append(line_end);
    for (const std::string& name : plan.temporaries) {
      if (!name.empty()) AppendDeclaration(list, syntax, name, mark_long);
    }
  }
  if (type == CodeType::Sas) list.append(settings.comment_block_end).append(kCrLf);
  return list;
}

std::string ProgramPrologue(const CodeExportSettings& settings, const NetworkModel& model,
                            const ProgramNames& names, const std::string& variables) {
  std::string text;
  switch (settings.code_type) {
    case CodeType::Equation:
    case CodeType::Spss:
      return variables;
    case CodeType::Sas:
      return variables + std::string(kCrLf) + SasDataStep(settings);
    case CodeType::Vb:
      return variables + std::string(kCrLf) + VbPrologue(settings, model, names);
    case CodeType::C:
      text.append(kCrLf).append(CPrologue(names, variables));
      return text;
    case CodeType::F90:
      text.append(kCrLf).append(FortranPrologue(names, variables));
      return text;
    case CodeType::Java:
      text.append(kCrLf).append(JavaPrologue(names, variables));
      return text;
  }
  return text;
}

std::string ProgramEpilogue(const CodeExportSettings& settings, const CodePlan& plan) {
  const ProgramNames& names = plan.names;
  std::string text;
  if (settings.code_type == CodeType::Equation) return text;
  text.append(kCrLf);
  switch (settings.code_type) {
    case CodeType::Sas:
      text.append("Run;").append(kCrLf);
      break;
    case CodeType::Vb:
      text.append(VbEpilogue(names));
      break;
    case CodeType::C:
      AppendJoined(text, {"}", "", "double myTanh(double x)", "{", "   if (x > 20)",
                          "       return 1;", "   else if (x < -20)", "       return -1;",
                          "   else", "       return tanh(x);", "}"});
      text.append(kCrLf);
      break;
    case CodeType::F90:
      AppendJoined(text, {"END SUBROUTINE CalcNet", ""});
      text.append(kCrLf).append("END PROGRAM ").append(names.program);
      break;
    case CodeType::Java:
      AppendJoined(text,
                   {"}", "", "public static double myTanh(double x)", "{", "   if (x > 20)",
                    "       return 1;", "   else if (x < -20)", "       return -1;", "   else",
                    "       {", "       double a = Math.exp(x);", "       double b = Math.exp(-x);",
                    "       return (a-b)/(a+b);", "       }", "}", "", "}"});
      break;
    case CodeType::Spss:
      text.append(SpssEpilogue(settings, plan));
      break;
    case CodeType::Equation:
      break;
  }
  return text;
}

}  // namespace kdk
