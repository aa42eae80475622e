#include "core/export/sheet/prepare_data_macro.h"

#include <algorithm>

#include "core/common/text_utils.h"
#include "core/lang/language_rules.h"
#include "core/lang/vb_line_fitting.h"

namespace kdk {
namespace {

constexpr std::string_view kMacroHead =
    "'---------------------------------------\r\n"
    "'everything below here is to do with preparing the XL data...\r\n"
    "'---------------------------------------\r\n"
    "Public Sub PrepareDataForPredictions()\r\n"
    "\r\n";

constexpr std::string_view kMacroBody =
    "\r\n"
    "Dim ColumnNumbers(1 To NumberOfInputsPlusOutput) As Integer\r\n"
    "Dim RequiredVariables(1 To NumberOfInputsPlusOutput) As String\r\n"
    "\r\n"
    "    Call SetRequiredVariableNames(RequiredVariables())\r\n"
    "\r\n"
    "    Application.ScreenUpdating = False\r\n"
    "\r\n"
    "    If CheckToSeeIfVariablesAreThereAndGetColumnNumbers(Application.ActiveSheet, "
    "RequiredVariables(), ColumnNumbers(), MaxColsToSearch) = False Then\r\n"
    "        GoTo GracefulExit\r\n"
    "    End If\r\n"
    "\r\n"
    "    If OKToDelete = True Then\r\n"
    "        Call FlagUnrequiredColumns(Application.ActiveSheet, ColumnNumbers(), \"";

// The text that marks a column for deletion goes between these: "x", or "x_1", "x_2",
// ... where a name of the model is "x" (a column named like the mark would be deleted).
constexpr std::string_view kMacroBodyBetweenMarks =
    "\", "
    "MaxColsToSearch)\r\n"
    "        Call DeleteUnrequiredColumns(Application.ActiveSheet, \"";

constexpr std::string_view kMacroBodyTail =
    "\", MaxColsToSearch)\r\n"
    "        Call ReorderColumns(Application.ActiveSheet, RequiredVariables(), MaxColsToSearch)\r\n"
    "        Call InsertFormula(Application.ActiveSheet, RequiredVariables(), "
    "NumberOfInputsPlusOutput - 1, FunctionName)\r\n"
    "    End If\r\n"
    "\r\n"
    "GracefulExit:\r\n"
    "\r\n"
    "    Application.ScreenUpdating = True\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Function SetRequiredVariableNames(RequiredVariables() As String)\r\n"
    "\r\n"
    "Dim i As Integer\r\n"
    "\r\n";

constexpr std::string_view kMacroProcedures =
    "\r\n"
    "End Function\r\n"
    "\r\n"
    "Private Function CheckToSeeIfVariablesAreThereAndGetColumnNumbers(thisSheet As Worksheet, "
    "RequiredVariables() As String, ColumnNumbers() As Integer, MaxColsToSearch As Integer) As "
    "Boolean\r\n"
    "\r\n"
    "Dim i As Integer\r\n"
    "Dim j As Integer\r\n"
    "Dim bOK As Boolean\r\n"
    "Dim MissingVariables As String\r\n"
    "\r\n"
    "    bOK = True\r\n"
    // Closed here: LibreOffice Basic refuses a string left open at the end of a line.
    "    MissingVariables = \"\"\r\n"
    "\r\n"
    "    For i = LBound(RequiredVariables) To UBound(RequiredVariables)\r\n"
    "        For j = 1 To MaxColsToSearch\r\n"
    "            If LCase(thisSheet.Cells(1, j)) = LCase(RequiredVariables(i)) Then\r\n"
    "                ColumnNumbers(i) = j\r\n"
    "                Exit For\r\n"
    "            End If\r\n"
    "        Next j\r\n"
    "\r\n"
    "        If j = MaxColsToSearch + 1 And i <> UBound(RequiredVariables) Then\r\n"
    "            bOK = False\r\n"
    "            MissingVariables = MissingVariables & \" \" & RequiredVariables(i)\r\n"
    "        End If\r\n"
    "    Next i\r\n"
    "\r\n"
    "    If bOK = False Then\r\n"
    "    MsgBox \"Can't find the required variables;\" & vbCrLf & MissingVariables\r\n"
    "    End If\r\n"
    "\r\n"
    "    CheckToSeeIfVariablesAreThereAndGetColumnNumbers = bOK\r\n"
    "\r\n"
    "End Function\r\n"
    "\r\n"
    "Private Sub FlagUnrequiredColumns(thisSheet As Worksheet, ColumnNumbers() As Integer, flag As "
    "String, MaxColsToSearch As Integer)\r\n"
    "\r\n"
    "Dim i As Integer\r\n"
    "Dim j As Integer\r\n"
    "Dim f As Boolean\r\n"
    "\r\n"
    "    For i = 1 To MaxColsToSearch\r\n"
    "        f = False\r\n"
    "        For j = LBound(ColumnNumbers) To UBound(ColumnNumbers)\r\n"
    "            If i = ColumnNumbers(j) Then\r\n"
    "                f = True\r\n"
    "                Exit For\r\n"
    "            End If\r\n"
    "        Next j\r\n"
    "        If f = False Then thisSheet.Cells(1, i) = flag\r\n"
    "    Next i\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub DeleteUnrequiredColumns(thisSheet As Worksheet, flag As String, MaxColsToSearch "
    "As Integer)\r\n"
    "\r\n"
    "    Dim i As Integer\r\n"
    "\r\n"
    "    For i = MaxColsToSearch To 1 Step -1\r\n"
    "        If thisSheet.Cells(1, i) = flag Then thisSheet.Columns(i).Delete\r\n"
    "    Next i\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub ReorderColumns(thisSheet As Worksheet, RequiredVariables() As String, "
    "MaxColsToSearch As Integer)\r\n"
    "\r\n"
    "Dim i As Integer\r\n"
    "Dim j As Integer\r\n"
    "\r\n"
    "    For i = UBound(RequiredVariables) - 1 To LBound(RequiredVariables) Step -1\r\n"
    // "xlToRight": without a direction LibreOffice inserts nothing for a whole column.
    "        thisSheet.Columns(1).Insert xlToRight\r\n"
    "        For j = 1 To MaxColsToSearch\r\n"
    "           If LCase(thisSheet.Cells(1, j)) = LCase(RequiredVariables(i)) Then\r\n"
    "                thisSheet.Columns(j).Cut\r\n"
    "                thisSheet.Columns(1).Select\r\n"
    "                thisSheet.Paste\r\n"
    "                thisSheet.Columns(j).Delete\r\n"
    "                Exit For\r\n"
    "            End If\r\n"
    "        Next j\r\n"
    "\r\n"
    "    Next i\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub InsertFormula(thisSheet As Worksheet, RequiredVariables() As String, "
    "NumberOfInputs As Integer, FunctionName As String)\r\n"
    "\r\n";

constexpr std::string_view kFormulaStart =
    "    thisSheet.Columns(UBound(RequiredVariables)).Insert xlToRight\r\n"
    "    thisSheet.Cells(1, (UBound(RequiredVariables))) = \"Modelled_\" & "
    "RequiredVariables(UBound(RequiredVariables))\r\n";

constexpr std::string_view kFormulaSingle =
    "    thisSheet.Cells(2, UBound(RequiredVariables)).FormulaR1C1 = \"=\" & FunctionName & "
    "\"(RC[-\" & NumberOfInputs & \"]:RC[-1])\"\r\n";

constexpr std::string_view kFormulaClassifier =
    "    thisSheet.Cells(2, UBound(RequiredVariables)).FormulaR1C1 = \"=\" & FunctionName & "
    "\"(RC[-\" & NumberOfInputs & \"]:RC[-1],1)\"\r\n"
    "    thisSheet.Columns(UBound(RequiredVariables) + 1).Insert xlToRight\r\n"
    "    thisSheet.Cells(1, (UBound(RequiredVariables) + 1)) = \"Strength\"\r\n"
    "    thisSheet.Cells(2, UBound(RequiredVariables) + 1).FormulaR1C1 = \"=\" & FunctionName & "
    "\"(RC[-\" & NumberOfInputs + 1 & \"]:RC[-2],2)\"\r\n";

constexpr std::string_view kMacroTail =
    "\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Function OKToDelete() As Boolean\r\n"
    "\r\n"
    "    Dim response\r\n"
    "\r\n"
    "    response = MsgBox(\"OK to delete some columns from this spreadsheet (if there are "
    "unrequired fields)?\", vbYesNo + vbQuestion)\r\n"
    "\r\n"
    "    If response = vbYes Then\r\n"
    "        OKToDelete = True\r\n"
    "    Else\r\n"
    "        OKToDelete = False\r\n"
    "    End If\r\n"
    "\r\n"
    "End Function";

// "RequiredVariables(index) = "name"" and its comment, kept inside VB's line rules: a
// long name is continued with " & _", and a very long one is added in parts of
// kNamePart bytes (RequiredVariables(index) = RequiredVariables(index) & "...") so that
// no statement needs more continuations than VB allows.
void AppendNameAssignment(std::string& out, std::size_t index, std::string_view name,
                          std::string_view comment) {
  constexpr std::size_t kNamePart = 10000;
  const lang::LanguageRules& vb = lang::RulesOf(lang::Language::VisualBasic);
  const std::string target = "RequiredVariables(" + std::to_string(index) + ")";
  std::size_t at = 0;
  do {
    std::string statement = "      " + target + " = ";
    if (at > 0) statement.append(target).append(" & ");
    statement.push_back('"');
    lang::AppendStringBody(vb, statement, name.substr(at, kNamePart));
    statement.push_back('"');
    const std::size_t start = out.size();
    lang::AppendVbStatement(out, statement, "        ");
    at += kNamePart;
    if (at >= name.size() && !comment.empty()) {
      const std::size_t last_line = out.rfind('\n');
      const std::size_t line_size = out.size() - (last_line < start ? start : last_line + 1);
      if (line_size + comment.size() > vb.max_line_length) out.append("\r\n     ");
      out.append(comment);
    }
    out.append(kCrLf);
  } while (at < name.size());
}

}  // namespace

std::string PrepareDataMacroText(const PrepareDataMacroInput& input) {
  const lang::LanguageRules& vb = lang::RulesOf(lang::Language::VisualBasic);
  std::string out;
  std::size_t names = input.output_name.size();
  for (const std::string& name : input.input_names) names += name.size() + 40;
  out.reserve(kMacroHead.size() + kMacroBody.size() + kMacroBodyBetweenMarks.size() +
              kMacroBodyTail.size() + kMacroProcedures.size() + kFormulaClassifier.size() +
              kMacroTail.size() + input.function_name.size() + names + 400);

  out.append(kCrLf);
  out.append(kMacroHead);
  out.append("Const NumberOfInputsPlusOutput As Integer = ");
  out.append(std::to_string(input.count));
  out.append(kCrLf);
  out.append("Const MaxColsToSearch As Integer = 200\r\n");
  out.append("Const FunctionName  As String = \"");
  lang::AppendStringBody(vb, out, input.function_name);
  out.append("\"\r\n");
  std::string mark = "x";
  for (int n = 1;
       ToLowerAscii(input.output_name) == mark ||
       std::any_of(input.input_names.begin(), input.input_names.end(),
                   [&mark](const std::string& name) { return ToLowerAscii(name) == mark; });
       ++n) {
    mark = "x_" + std::to_string(n);
  }
  out.append(kMacroBody);
  out.append(mark);
  out.append(kMacroBodyBetweenMarks);
  out.append(mark);
  out.append(kMacroBodyTail);
  for (std::size_t i = 0; i < input.input_names.size(); ++i) {
    AppendNameAssignment(out, i + 1, input.input_names[i], "");
  }
  AppendNameAssignment(out, input.count, input.output_name,
                       " 'existing output - doesn't need to be there - but if it is we keep it!");
  out.append(kMacroProcedures);
  out.append(kFormulaStart);
  const bool strength = input.model_kind != kModelKindMars && input.is_classifier;
  out.append(strength ? kFormulaClassifier : kFormulaSingle);
  out.append(kMacroTail);
  return out;
}

}  // namespace kdk
