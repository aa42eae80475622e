#include "core/export/vbproject/mars_form_code.h"

#include <functional>
#include <optional>
#include <unordered_map>

#include "core/common/model_text.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/export/vbproject/vb_piece_text.h"
#include "core/lang/language_rules.h"
#include "core/lang/name_table.h"
#include "core/lang/vb_line_fitting.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/mars_evaluator.h"

namespace kdk {
namespace {

using namespace vbpiece;

const lang::LanguageRules& Vb() {
  return lang::RulesOf(lang::Language::VisualBasic);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Where `name` followed by `tail` stands in the text as a whole name, from `from` on.
std::size_t FindName(std::string_view text, std::string_view name, std::string_view tail,
                     std::size_t from = 0) {
  if (name.empty()) return std::string_view::npos;
  for (std::size_t at = text.find(name, from); at != std::string_view::npos;
       at = text.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    if (at > 0 && IsModelNameChar(text[at - 1])) continue;
    if (tail.empty() ? (end < text.size() && IsModelNameChar(text[end]))
                     : text.substr(end, tail.size()) != tail) {
      continue;
    }
    return at;
  }
  return std::string_view::npos;
}

// Every whole word that `lookup` knows is written as its answer; numbers (which begin
// with a digit) and other words stay as they are.
using WordLookup = std::function<std::optional<std::string>(std::string_view)>;
std::string RewriteWords(std::string_view text, const WordLookup& lookup) {
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsModelNameChar(text[i])) {
      out.push_back(text[i++]);
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsModelNameChar(text[end])) ++end;
    const std::string_view word = text.substr(i, end - i);
    std::optional<std::string> replacement;
    if (!IsDigit(word.front())) replacement = lookup(word);
    if (replacement) {
      out.append(*replacement);
    } else {
      out.append(word);
    }
    i = end;
  }
  return out;
}

std::string InpvalText(int index0) {
  return "inpval(" + std::to_string(index0 + 1) + ")";
}

std::string ReplaceNameWithTail(std::string_view text, std::string_view name, std::string_view tail,
                                std::string_view replacement) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = FindName(text, name, tail); at != std::string_view::npos;
       at = FindName(text, name, tail, from)) {
    out.append(text.substr(from, at - from)).append(replacement);
    from = at + name.size() + tail.size();
  }
  out.append(text.substr(from));
  return out;
}

// Names the form's own code uses; no model name may be declared as one of them.
constexpr std::string_view kFixedNames[] = {"numberofinputs",
                                            "inpVal",
                                            "inpValRepresentsNull",
                                            "calcBasisFunctions",
                                            "MAX",
                                            "MIN",
                                            "calcEquation",
                                            "displayResult",
                                            "ReadInputs",
                                            "RepresentsNull",
                                            "Val1",
                                            "Val2",
                                            "s",
                                            "i",
                                            "I",
                                            "Predict",
                                            "txtInput",
                                            "txtPrediction",
                                            "lblInput",
                                            "lblCategorical",
                                            "lblColName",
                                            "lblOutput",
                                            "btnClear",
                                            "btnPredict",
                                            "btnDescription",
                                            "btnDescription_Click",
                                            "btnClear_Click",
                                            "btnPredict_Click",
                                            "IIF",
                                            "UCASE",
                                            "Trim",
                                            "isNumeric",
                                            "msgbox",
                                            "vbCrLf",
                                            "Me",
                                            "Form_Load"};

// Every member a VB6 form inherits (properties, methods and events): a form-level
// variable named like one is refused ("Member identifier already exists in object
// module from which this object module derives").
constexpr std::string_view kFormMembers[] = {"ActiveControl",
                                             "Appearance",
                                             "AutoRedraw",
                                             "BackColor",
                                             "BorderStyle",
                                             "Caption",
                                             "ClipControls",
                                             "ControlBox",
                                             "Controls",
                                             "Count",
                                             "CurrentX",
                                             "CurrentY",
                                             "DataBindings",
                                             "DrawMode",
                                             "DrawStyle",
                                             "DrawWidth",
                                             "Enabled",
                                             "FillColor",
                                             "FillStyle",
                                             "Font",
                                             "FontBold",
                                             "FontItalic",
                                             "FontName",
                                             "FontSize",
                                             "FontStrikethru",
                                             "FontTransparent",
                                             "FontUnderline",
                                             "ForeColor",
                                             "HasDC",
                                             "hDC",
                                             "Height",
                                             "HelpContextID",
                                             "hWnd",
                                             "Icon",
                                             "Image",
                                             "KeyPreview",
                                             "Left",
                                             "LinkMode",
                                             "LinkTopic",
                                             "MaxButton",
                                             "MDIChild",
                                             "MinButton",
                                             "MouseIcon",
                                             "MousePointer",
                                             "Moveable",
                                             "Name",
                                             "NegotiateMenus",
                                             "OLEDropMode",
                                             "Palette",
                                             "PaletteMode",
                                             "Picture",
                                             "RightToLeft",
                                             "ScaleHeight",
                                             "ScaleLeft",
                                             "ScaleMode",
                                             "ScaleTop",
                                             "ScaleWidth",
                                             "ShowInTaskbar",
                                             "StartUpPosition",
                                             "Tag",
                                             "Top",
                                             "Visible",
                                             "WhatsThisButton",
                                             "WhatsThisHelp",
                                             "Width",
                                             "WindowState",
                                             "Circle",
                                             "Cls",
                                             "Hide",
                                             "Line",
                                             "Move",
                                             "OLEDrag",
                                             "PaintPicture",
                                             "Point",
                                             "PopupMenu",
                                             "Print",
                                             "PrintForm",
                                             "PSet",
                                             "Refresh",
                                             "Scale",
                                             "ScaleX",
                                             "ScaleY",
                                             "SetFocus",
                                             "Show",
                                             "TextHeight",
                                             "TextWidth",
                                             "ValidateControls",
                                             "WhatsThisMode",
                                             "ZOrder",
                                             "Activate",
                                             "Click",
                                             "DblClick",
                                             "Deactivate",
                                             "DragDrop",
                                             "DragOver",
                                             "GotFocus",
                                             "Initialize",
                                             "KeyDown",
                                             "KeyPress",
                                             "KeyUp",
                                             "LinkClose",
                                             "LinkError",
                                             "LinkExecute",
                                             "LinkOpen",
                                             "Load",
                                             "LostFocus",
                                             "MouseDown",
                                             "MouseMove",
                                             "MouseUp",
                                             "OLECompleteDrag",
                                             "OLEDragDrop",
                                             "OLEDragOver",
                                             "OLEGiveFeedback",
                                             "OLESetData",
                                             "OLEStartDrag",
                                             "Paint",
                                             "QueryUnload",
                                             "Resize",
                                             "Terminate",
                                             "Unload"};

// More parts than definitions of the largest size could fill.
constexpr int kMostCalculationParts = 99;

// What VB cannot compute as the conversion writes it: an indicator left as "X > ."
// (a second indicator in one definition) or a min(), which VB has not.
std::optional<std::string> Unwritable(std::string_view line) {
  for (std::string_view test : {"> .", "= ."}) {
    for (std::size_t at = line.find(test); at != std::string_view::npos;
         at = line.find(test, at + 1)) {
      const std::size_t after = at + test.size();
      if (after >= line.size() || !IsDigit(line[after])) {
        return "only one missing-value test per definition can be written";
      }
    }
  }
  bool found_min = false;
  RewriteWords(line, [&](std::string_view word) -> std::optional<std::string> {
    if (ToUpperAscii(word) == "MIN") found_min = true;
    return std::nullopt;
  });
  if (found_min) return "Visual Basic has no min function";
  return std::nullopt;
}

void DescriptionLine(std::string& out, std::string_view lead, std::string_view label,
                     std::string_view value, std::string_view continuation) {
  // A value too long for one line is shortened: the About box only shows it.
  constexpr std::size_t kLongestValue = 900;
  out.append(lead).append(" \"").append(label);
  const std::string body = lang::StringBody(Vb(), value);
  if (body.size() > kLongestValue) {
    std::size_t cut = kLongestValue;
    while (cut > 0 && body[cut - 1] == '"') --cut;  // never half of a doubled quote
    out.append(body.substr(0, cut)).append("...");
  } else {
    out.append(body);
  }
  out.append("\"").append(continuation).append(kCrLf);
}

}  // namespace

std::string ConvertMarsDefinitionToVb(std::string_view definition, const MarsModel& model) {
  std::string text(definition);
  for (int i = 0; i < model.InputCount(); ++i) {
    const std::string& name = model.input_names[i];
    if (FindName(text, name, "") == std::string::npos) continue;
    const std::string flag = "IIF(inpValRepresentsNull(" + std::to_string(i + 1) + ") ,";
    if (IsNotMissingIndicator(text)) {
      text = ReplaceNameWithTail(text, name, " > .", flag + "0,1)");
    } else if (IsMissingIndicator(text)) {
      text = ReplaceNameWithTail(text, name, " = .", flag + "1,0)");
    }
    break;
  }
  if (EndsWithText(text, ";")) text.pop_back();
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return text;
  const std::string left = text.substr(0, equals + 1);
  std::string right = text.substr(equals + 1);
  for (const std::string& name : model.input_names) {
    if (FindName(right, name, " =") != std::string::npos) {
      right.append(" * -1");
      break;
    }
  }
  right = RewriteWords(right, [&](std::string_view word) -> std::optional<std::string> {
    for (int i = 0; i < model.InputCount(); ++i) {
      if (model.input_names[i] == word) return InpvalText(i);
    }
    return std::nullopt;
  });
  return left + right;
}

bool PrepareMarsVbCode(const MarsModel& model, MarsVbCode& code, MessagePort& messages) {
  std::string error;
  MarsEvaluator evaluator;
  if (!evaluator.Compile(model, error)) {
    messages.Inform(error);
    return false;
  }
  lang::NameTable names(Vb());
  for (std::string_view fixed : kFixedNames) names.ReserveFixed(fixed);
  for (std::string_view member : kFormMembers) names.ReserveFixed(member);
  for (int part = 2; part <= kMostCalculationParts; ++part) {
    names.ReserveFixed("calcBasisFunctions_" + std::to_string(part));
  }
  for (const std::string& input : model.input_names) names.ReserveFixed(input);

  MarsVbCode result;
  std::unordered_map<std::string, std::string> renamed;
  for (const std::string& name : model.basis_function_names) {
    result.basis_function_names.push_back(names.Claim(name));
    if (result.basis_function_names.back() != name)
      renamed[name] = result.basis_function_names.back();
  }
  result.output_name = names.Claim(model.output_name);

  const auto rename = [&](std::string_view word) -> std::optional<std::string> {
    const auto found = renamed.find(std::string(word));
    if (found == renamed.end()) return std::nullopt;
    return found->second;
  };
  for (int i = 0; i < model.BasisFunctionCount(); ++i) {
    const std::string& definition = model.basis_function_defs[i];
    std::string line = ConvertMarsDefinitionToVb(RewriteWords(definition, rename), model);
    if (const std::optional<std::string> why = Unwritable(line)) {
      messages.Inform("Basis function " + std::to_string(i + 1) + " (" + definition +
                      ") cannot be written in Visual Basic: " + *why);
      return false;
    }
    result.definition_lines.push_back(std::move(line));
  }
  result.equation = RewriteWords(BasisFunctionBody(model.equation, messages),
                                 [&](std::string_view word) -> std::optional<std::string> {
                                   for (int i = 0; i < model.InputCount(); ++i) {
                                     if (model.input_names[i] == word) return InpvalText(i);
                                   }
                                   return rename(word);
                                 });
  if (Unwritable(result.equation)) {
    messages.Inform("The model equation (" + model.equation +
                    ") cannot be written in Visual Basic");
    return false;
  }
  code = std::move(result);
  return true;
}

std::string VbMarsHeaderComment(const MarsModel& model, const GenerationStamp& stamp) {
  std::string out;
  Line(out, VbGeneratedByLine());
  AppendVbMakerLines(out);
  Empty(out);
  Line(out, "'The MARS model is:");
  Line(out, "'inputs:" + std::to_string(model.InputCount()));
  lang::AppendVbCommentLine(out, "'MARS rules file: " + lang::CommentSafe(Vb(), stamp.model_path));
  out.append(kCrLf);
  Line(out, "'this file created: " + lang::CommentSafe(Vb(), stamp.created));
  Empty(out, 2);
  Line(out, "'------- NOTE -----------");
  Line(out,
       "'The field names of the input variables are stored in the 'TAG' property of the input "
       "text boxes.");
  Line(out, "'------------------------");
  return Finish(std::move(out));
}

std::string VbMarsDataDefinitions(const MarsModel& model, const MarsVbCode& code) {
  std::string out;
  Line(out, "Option Explicit");
  Empty(out);
  Line(out, "Const numberofinputs as Integer = " + std::to_string(model.InputCount()));
  Line(out, "Dim inpVal(1 to NumberOfInputs) as Variant");
  Line(out, "Dim inpValRepresentsNull(1 To numberofinputs) As Boolean");
  Line(out, "Dim " + code.output_name + " as Double 'this is the variable being modelled");
  Empty(out);
  Line(out, "'basis functions'");
  for (const std::string& name : code.basis_function_names) Line(out, "Dim " + name + " as Double");
  Empty(out);
  return Finish(std::move(out));
}

bool VbMarsCalculationProcedures(const MarsVbCode& code, std::string& piece) {
  std::string out;
  Empty(out);
  Line(out, "Private Sub calcBasisFunctions()");
  Empty(out);
  // A procedure VB would find too large goes on in calcBasisFunctions_2, _3, ...,
  // each called at the end of the one before, so the order of the lines stays.
  constexpr std::size_t kPartBudget = lang::kVbMaxProcedureBytes - 5000;
  std::size_t part_start = out.size();
  int part = 1;
  for (const std::string& line : code.definition_lines) {
    std::string statement;
    if (!lang::AppendVbStatement(statement, "\t" + line, "\t\t")) return false;
    if (out.size() - part_start + statement.size() > kPartBudget && out.size() > part_start) {
      const std::string next = "calcBasisFunctions_" + std::to_string(++part);
      Tab(out, "Call " + next);
      Empty(out);
      Line(out, "End Sub");
      Empty(out, 2);
      Line(out, "Private Sub " + next + "()");
      Empty(out);
      part_start = out.size();
    }
    out.append(statement).append(kCrLf);
  }
  Empty(out);
  Line(out, "End Sub");
  Empty(out, 2);
  Line(out, "Private Function MAX(Val1 as Double,Val2 as Double) AS Double");
  Empty(out);
  Tab(out, "MAX = Val2");
  Tab(out, "IF Val1>Val2 Then MAX = Val1");
  Empty(out);
  Line(out, "End Function");
  Empty(out, 2);
  Line(out, "Private Function calcEquation() AS Double");
  Empty(out);
  if (!lang::AppendVbSumAssignment(out, "\t", "calcEquation", code.equation)) return false;
  out.append(kCrLf);
  Empty(out);
  Line(out, "End Function");
  Empty(out, 2);
  piece = Finish(std::move(out));
  return true;
}

std::string VbMarsDisplayAndInput(const MarsVbCode& code) {
  std::string out;
  Line(out, "Private Sub displayResult()");
  Empty(out);
  Tab(out, "'write the prediction to the page");
  Tab(out, "me.txtPrediction.text = " + code.output_name);
  Empty(out);
  Line(out, "End Sub");
  Empty(out, 2);
  Line(out, "Private Function ReadInputs() as Boolean");
  Empty(out);
  Tab(out, "Dim i as integer");
  Empty(out);
  Tab(out, "for i = 1 to numberofinputs");
  Tab(out,
      "    if isNumeric(me.txtInput(i).text) = False And RepresentsNull(Me.txtInput(i).Text) = "
      "False then");
  Tab(out, "        msgbox (\"Invalid number\")");
  Tab(out, "        me.txtInput(i).SetFocus");
  Tab(out, "        ReadInputs = False");
  Tab(out, "        Exit Function");
  Tab(out, "    EndIf");
  Empty(out, 2);
  Tab(out, "    If RepresentsNull(Me.txtInput(I).Text) = True Then");
  Tab(out, "       inpVal(I) = 0");
  Tab(out, "       inpValRepresentsNull(i) = True");
  Tab(out, "    Else");
  Tab(out, "       inpVal(I) = Me.txtInput(I).Text");
  Tab(out, "       inpValRepresentsNull(i) = False");
  Tab(out, "    End If");
  Tab(out, "next i");
  Empty(out);
  Tab(out, "ReadInputs = True");
  Empty(out);
  Line(out, "End Function");
  Empty(out, 2);
  Line(out, "Private Function RepresentsNull(s As Variant) As Boolean");
  Empty(out);
  Tab(out, "RepresentsNull = False");
  Tab(out, "If UCASE(s) = \"NULL\" Then RepresentsNull = True");
  Tab(out, "If UCASE(s) = \"<NULL>\" Then RepresentsNull = True");
  Tab(out, "If s = \".\" Then RepresentsNull = True");
  Tab(out, "If Trim(s) = \"\" Then RepresentsNull = True");
  Empty(out);
  Line(out, "End Function");
  return Finish(std::move(out));
}

std::string VbMarsEventProcedures(const MarsModel& model, const MarsVbCode& code,
                                  const GenerationStamp& stamp) {
  std::string out;
  Empty(out);
  Line(out, "Private Sub btnDescription_Click()");
  Empty(out);
  DescriptionLine(out, "\tmsgBox \t", "inputs:", std::to_string(model.InputCount()),
                  " & vbCrLf & _");
  DescriptionLine(out, "\t", "basis functions:", std::to_string(model.model_term_count),
                  " & vbCrLf & _");
  DescriptionLine(out, "\t", "training data source:", "", " & vbCrLf &  _");
  DescriptionLine(out, "\t", "training data view:", "", " & vbCrLf & _");
  DescriptionLine(out, "\t", "MARS Rules file:", stamp.model_path, " & vbCrLf & _ ");
  DescriptionLine(out, "\t", "rules file created:", stamp.model_created, " & vbCrLf & _");
  DescriptionLine(out, "\t", "this project created:", stamp.created, "");
  Empty(out);
  Line(out, "End Sub");
  Empty(out, 2);
  ClearButtonStart(out);
  Empty(out);
  Line(out, "End Sub");
  Empty(out, 2);
  Line(out, "Private Sub btnPredict_Click()");
  Empty(out);
  Tab(out, "If ReadInputs = True Then");
  Tab(out, "\tCall calcBasisFunctions");
  Tab(out, "\t" + code.output_name + " = calcEquation");
  Tab(out, "\tCall displayResult");
  Tab(out, "End If");
  Empty(out);
  Line(out, "End Sub");
  Empty(out, 2);
  return Finish(std::move(out));
}

}  // namespace kdk
