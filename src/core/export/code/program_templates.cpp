#include "core/export/code/program_templates.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
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

void AppendDeclaration(std::string& out, std::string_view start, std::string_view name,
                       std::string_view end, bool mark_long_names) {
  out.append(start);
  out.append(name);
  if (mark_long_names && name.size() >= 9) out.append(kLongNameMark);
  out.append(end);
}

void AppendPlaceholderValues(std::string& text, const ProgramNames& names) {
  for (const std::string& name : names.inputs) {
    text.append(kCrLf).append("\t").append(name).append(" = 10;");
  }
}

}  // namespace

std::string BarePrologue(const CodeExportSettings&, const NetworkModel&, const CodePlan&,
                         const std::string& variables) {
  return variables;
}

std::string SasPrologue(const CodeExportSettings& settings, const NetworkModel&, const CodePlan&,
                        const std::string& variables) {
  std::string text = variables;
  text.append(kCrLf);
  text.append("Data ").append(settings.sas_new_data).append(";");
  text.append(kCrLf);
  text.append("Set ").append(settings.sas_source_data).append(";");
  text.append(kCrLf);
  return text;
}

std::string VbPrologue(const CodeExportSettings& settings, const NetworkModel& model,
                       const CodePlan& plan, const std::string& variables) {
  const std::string model_output =
      SmartName(model.output_name, settings.controls.smart_field_names);
  std::string text = variables;
  text.append(kCrLf);
  AppendRows(text, {"Public Sub NeuralPrediction()", "", "\tGetDataValues"});
  text.append(kCrLf);
  text.append("\tMsgBox \"");
  lang::AppendStringBody(lang::RulesOf(lang::Language::VisualBasic), text, model_output);
  text.append(" = \" & calcnet");
  AppendRows(text, {"", "End Sub", "", "Private Sub GetDataValues()", "",
                    "\t'this is where the data values are set"});
  for (const std::string& name : plan.names.inputs) {
    text.append(kCrLf);
    text.append("\t").append(name).append(" = InputBox(\"").append(name).append("\")");
  }
  AppendRows(text, {"", "End Sub", "", "Private Function Calcnet() as Double"});
  text.append(kCrLf);
  return text;
}

std::string FortranPrologue(const CodeExportSettings&, const NetworkModel&, const CodePlan& plan,
                            const std::string& variables) {
  const ProgramNames& names = plan.names;
  std::string text;
  text.append(kCrLf).append("Program ").append(names.program);
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

std::string JavaPrologue(const CodeExportSettings&, const NetworkModel&, const CodePlan& plan,
                         const std::string& variables) {
  const ProgramNames& names = plan.names;
  std::string text;
  text.append(kCrLf);
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

std::string CPrologue(const CodeExportSettings&, const NetworkModel&, const CodePlan& plan,
                      const std::string& variables) {
  const ProgramNames& names = plan.names;
  std::string text;
  text.append(kCrLf);
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

std::string NoEpilogue(const CodeExportSettings&, const CodePlan&) {
  return {};
}

std::string SasEpilogue(const CodeExportSettings&, const CodePlan&) {
  std::string text;
  text.append(kCrLf).append("Run;").append(kCrLf);
  return text;
}

std::string VbEpilogue(const CodeExportSettings&, const CodePlan& plan) {
  std::string text;
  text.append(kCrLf);
  text.append(kCrLf).append("Calcnet = ").append(plan.names.output);
  AppendRows(text, {"", "End Function", "", "", "Private Function Tanh(xval As Double) As Double",
                    "", "\t'this function calculates tanh of Xval",
                    "\t'bounds put in because of the limits on exp in VB", "\tIf xval > 20 Then",
                    "\t    Tanh = 1", "\tElseIf xval < -20 Then", "\t    Tanh = -1", "\tElse",
                    "\t    Tanh = (Exp(xval) - Exp((-1) * xval)) / (Exp(xval) + Exp((-1) * xval))",
                    "\tEnd If", "", "End Function"});
  text.append(kCrLf).append(kCrLf);
  return text;
}

std::string CEpilogue(const CodeExportSettings&, const CodePlan&) {
  std::string text;
  text.append(kCrLf);
  AppendJoined(text, {"}", "", "double myTanh(double x)", "{", "   if (x > 20)", "       return 1;",
                      "   else if (x < -20)", "       return -1;", "   else",
                      "       return tanh(x);", "}"});
  text.append(kCrLf);
  return text;
}

std::string FortranEpilogue(const CodeExportSettings&, const CodePlan& plan) {
  std::string text;
  text.append(kCrLf);
  AppendJoined(text, {"END SUBROUTINE CalcNet", ""});
  text.append(kCrLf).append("END PROGRAM ").append(plan.names.program);
  return text;
}

std::string JavaEpilogue(const CodeExportSettings&, const CodePlan&) {
  std::string text;
  text.append(kCrLf);
  AppendJoined(
      text, {"}", "", "public static double myTanh(double x)", "{", "   if (x > 20)",
             "       return 1;", "   else if (x < -20)", "       return -1;", "   else", "       {",
             "       double a = Math.exp(x);", "       double b = Math.exp(-x);",
             "       return (a-b)/(a+b);", "       }", "}", "", "}"});
  return text;
}

// Drops the intermediate variables from the data set. The list's first entry is
// always empty and names nothing, so only named entries are listed.
std::string SpssEpilogue(const CodeExportSettings& settings, const CodePlan& plan) {
  std::string text;
  text.append(kCrLf);
  if (!settings.controls.spss_remove_fields) return text;
  AppendJoined(text, {"MATCH FILES", " /FILE=*", " /DROP="});
  for (const std::string& name : plan.temporaries) {
    if (name.empty()) continue;
    text.append(kCrLf).append(" ").append(name);
  }
  text.append(" .");
  return text;
}

std::string VariableList(const CodeExportSettings& settings, const CodePlan& plan) {
  const ProgramNames& written = plan.names;
  const CodeTypeProfile& profile = *plan.profile;
  const CodeSyntax& syntax = plan.syntax;
  const CodeExportControls& controls = settings.controls;
  const bool on_comment_lines = profile.variable_list == VariableListForm::OnCommentLines;
  const bool ticked = profile.variable_list_tick == nullptr || controls.*profile.variable_list_tick;
  // SPSS lists the names on comment lines also to mark those past 8 characters.
  const bool mark_long = on_comment_lines && controls.spss_8char_warning;
  if (!ticked && !mark_long) return {};
  // Each line end of a list on comment lines is followed by the comment mark,
  // written here as the list is built.
  const std::string line_end =
      on_comment_lines ? std::string(kCrLf) + syntax.comment_line : std::string(kCrLf);
  const std::string start = ReplaceAll(syntax.var_def_start, kCrLf, line_end);
  const std::string end = ReplaceAll(syntax.var_def_end, kCrLf, line_end);
  bool any_temps = false;
  std::size_t size = 64;
  for (const std::string& name : plan.temporaries) {
    any_temps = any_temps || !name.empty();
    size += name.size() + 48;
  }
  size += (written.inputs.size() + 1) * 48;
  std::string list;
  list.reserve(size);
  const bool in_block = profile.variable_list == VariableListForm::InCommentBlock;
  if (in_block) list.append(kCrLf).append(syntax.comment_block_start);
  list.append(line_end);
  for (const std::string& name : written.inputs) {
    AppendDeclaration(list, start, name, end, mark_long);
  }
  AppendDeclaration(list, start, written.output, end, mark_long);
  if (any_temps) {
    list.append(line_end);
    for (const std::string& name : plan.temporaries) {
      if (!name.empty()) AppendDeclaration(list, start, name, end, mark_long);
    }
  }
  if (in_block) list.append(syntax.comment_block_end).append(kCrLf);
  return list;
}

std::string ProgramPrologue(const CodeExportSettings& settings, const NetworkModel& model,
                            const CodePlan& plan, const std::string& variables) {
  return plan.profile->prologue(settings, model, plan, variables);
}

std::string ProgramEpilogue(const CodeExportSettings& settings, const CodePlan& plan) {
  return plan.profile->epilogue(settings, plan);
}

}  // namespace kdk
