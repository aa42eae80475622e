#include "core/export/vbproject/mars_form_code.h"

#include <optional>
#include <unordered_map>

#include "core/common/model_text.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/export/vbproject/vb_piece_text.h"
#include "core/lang/language_rules.h"
#include "core/lang/name_table.h"
#include "core/lang/vb_line_fitting.h"
#include "core/mars/mars_reading.h"
#include "core/mars/mars_words.h"

namespace kdk {
namespace {

using namespace vbpiece;

const lang::LanguageRules& Vb() {
  return lang::RulesOf(lang::Language::VisualBasic);
}

std::string InpvalText(int index0) {
  return "inpval(" + std::to_string(index0 + 1) + ")";
}

// Whether the whole text stands in one pair of brackets: "( X = 1 OR X = 2)" does,
// "X = 1 OR X = 2" and "(X = 1) OR (X = 2)" do not.
bool InOneBracket(std::string_view text) {
  if (text.empty() || text.front() != '(' || text.back() != ')') return false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
    if (depth == 0) return i + 1 == text.size();
  }
  return false;
}

// Writes the model's text in VB: inputs as inpval(i), basis functions by their VB names,
// numbers and the set tests' OR as they stand (VB reads both in any case).
class VbWriter {
 public:
  VbWriter(const MarsModel& model, const std::vector<std::string>& basis_names) {
    for (int i = 0; i < model.InputCount(); ++i)
      names_.emplace(model.input_names[i], InpvalText(i));
    for (int i = 0; i < model.BasisFunctionCount(); ++i) {
      if (basis_names[i] != model.basis_function_names[i]) {
        names_.emplace(model.basis_function_names[i], basis_names[i]);
      }
    }
  }

  std::string Text(std::string_view text) const {
    return ReplaceMarsNames(text, [this](std::string_view name) -> std::optional<std::string> {
      const auto found = names_.find(std::string(name));
      if (found == names_.end()) return std::nullopt;
      return found->second;
    });
  }

  // "NAME = " and the definition: a hinge as max(0, ...), a set test in brackets times
  // -1 (VB's True is -1), an indicator as an IIF on the input's null flag; then the
  // products as written.
  std::string Definition(const BasisReading& basis, const std::string& name) const {
    std::string line = name + " = ";
    const std::string lead = TrimBlanks(basis.lead);
    switch (basis.form) {
      case BasisForm::Hinge:
        // A bare input is bracketed so that VB passes its value to MAX's Double.
        line.append("max(0, ")
            .append(IsMarsName(lead) ? "(" + Text(lead) + ")" : Text(lead))
            .append(")");
        break;
      case BasisForm::SetTest:
        line.append(InOneBracket(lead) ? Text(lead) : "( " + Text(lead) + ")");
        break;
      case BasisForm::Present:
      case BasisForm::Missing:
        line.append("( IIF(inpValRepresentsNull(" + std::to_string(basis.input + 1) + ") ,")
            .append(basis.form == BasisForm::Present ? "0,1))" : "1,0))");
        break;
    }
    if (!basis.product.empty()) line.append(" *").append(Text(basis.product));
    if (basis.form == BasisForm::SetTest) line.append(" * -1");
    return line;
  }

 private:
  std::unordered_map<std::string, std::string> names_;
};

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

bool PrepareMarsVbCode(const MarsModel& model, MarsVbCode& code, MessagePort& messages) {
  // The reading the evaluator, SQL, SPSS and the page share says what each definition is.
  MarsReading reading;
  std::string error;
  if (!ReadMarsModel(model, reading, error)) {
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
  for (const std::string& name : model.basis_function_names) {
    result.basis_function_names.push_back(names.Claim(name));
  }
  result.output_name = names.Claim(model.output_name);
  const VbWriter writer(model, result.basis_function_names);
  result.definition_lines.reserve(reading.basis.size());
  for (std::size_t i = 0; i < reading.basis.size(); ++i) {
    result.definition_lines.push_back(
        writer.Definition(reading.basis[i], result.basis_function_names[i]));
  }
  result.equation = writer.Text(TrimBlanks(reading.equation_terms));
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
