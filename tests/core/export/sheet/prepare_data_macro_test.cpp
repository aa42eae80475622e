#include "core/export/sheet/prepare_data_macro.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kdk {
namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  return out;
}

// The whole macro for inputs A and B and output Y, line by line; `formula` is the
// formula part.
std::string ExpectedMacro(const std::vector<std::string>& formula) {
  std::vector<std::string> lines = {
      "",
      "'---------------------------------------",
      "'everything below here is to do with preparing the XL data...",
      "'---------------------------------------",
      "Public Sub PrepareDataForPredictions()",
      "",
      "Const NumberOfInputsPlusOutput As Integer = 3",
      "Const MaxColsToSearch As Integer = 200",
      "Const FunctionName  As String = \"book_CalculateIt\"",
      "",
      "Dim ColumnNumbers(1 To NumberOfInputsPlusOutput) As Integer",
      "Dim RequiredVariables(1 To NumberOfInputsPlusOutput) As String",
      "",
      "    Call SetRequiredVariableNames(RequiredVariables())",
      "",
      "    Application.ScreenUpdating = False",
      "",
      "    If CheckToSeeIfVariablesAreThereAndGetColumnNumbers(Application.ActiveSheet, "
      "RequiredVariables(), ColumnNumbers(), MaxColsToSearch) = False Then",
      "        GoTo GracefulExit",
      "    End If",
      "",
      "    If OKToDelete = True Then",
      "        Call FlagUnrequiredColumns(Application.ActiveSheet, ColumnNumbers(), \"x\", "
      "MaxColsToSearch)",
      "        Call DeleteUnrequiredColumns(Application.ActiveSheet, \"x\", MaxColsToSearch)",
      "        Call ReorderColumns(Application.ActiveSheet, RequiredVariables(), MaxColsToSearch)",
      "        Call InsertFormula(Application.ActiveSheet, RequiredVariables(), "
      "NumberOfInputsPlusOutput - 1, FunctionName)",
      "    End If",
      "",
      "GracefulExit:",
      "",
      "    Application.ScreenUpdating = True",
      "",
      "End Sub",
      "",
      "Private Function SetRequiredVariableNames(RequiredVariables() As String)",
      "",
      "Dim i As Integer",
      "",
      "      RequiredVariables(1) = \"A\"",
      "      RequiredVariables(2) = \"B\"",
      "      RequiredVariables(3) = \"Y\" 'existing output - doesn't need to be there - but if it "
      "is we keep it!",
      "",
      "End Function",
      "",
      "Private Function CheckToSeeIfVariablesAreThereAndGetColumnNumbers(thisSheet As Worksheet, "
      "RequiredVariables() As String, ColumnNumbers() As Integer, MaxColsToSearch As Integer) As "
      "Boolean",
      "",
      "Dim i As Integer",
      "Dim j As Integer",
      "Dim bOK As Boolean",
      "Dim MissingVariables As String",
      "",
      "    bOK = True",
      "    MissingVariables = \"\"",
      "",
      "    For i = LBound(RequiredVariables) To UBound(RequiredVariables)",
      "        For j = 1 To MaxColsToSearch",
      "            If LCase(thisSheet.Cells(1, j)) = LCase(RequiredVariables(i)) Then",
      "                ColumnNumbers(i) = j",
      "                Exit For",
      "            End If",
      "        Next j",
      "",
      "        If j = MaxColsToSearch + 1 And i <> UBound(RequiredVariables) Then",
      "            bOK = False",
      "            MissingVariables = MissingVariables & \" \" & RequiredVariables(i)",
      "        End If",
      "    Next i",
      "",
      "    If bOK = False Then",
      "    MsgBox \"Can't find the required variables;\" & vbCrLf & MissingVariables",
      "    End If",
      "",
      "    CheckToSeeIfVariablesAreThereAndGetColumnNumbers = bOK",
      "",
      "End Function",
      "",
      "Private Sub FlagUnrequiredColumns(thisSheet As Worksheet, ColumnNumbers() As Integer, flag "
      "As String, MaxColsToSearch As Integer)",
      "",
      "Dim i As Integer",
      "Dim j As Integer",
      "Dim f As Boolean",
      "",
      "    For i = 1 To MaxColsToSearch",
      "        f = False",
      "        For j = LBound(ColumnNumbers) To UBound(ColumnNumbers)",
      "            If i = ColumnNumbers(j) Then",
      "                f = True",
      "                Exit For",
      "            End If",
      "        Next j",
      "        If f = False Then thisSheet.Cells(1, i) = flag",
      "    Next i",
      "",
      "End Sub",
      "",
      "Private Sub DeleteUnrequiredColumns(thisSheet As Worksheet, flag As String, MaxColsToSearch "
      "As Integer)",
      "",
      "    Dim i As Integer",
      "",
      "    For i = MaxColsToSearch To 1 Step -1",
      "        If thisSheet.Cells(1, i) = flag Then thisSheet.Columns(i).Delete",
      "    Next i",
      "",
      "End Sub",
      "",
      "Private Sub ReorderColumns(thisSheet As Worksheet, RequiredVariables() As String, "
      "MaxColsToSearch As Integer)",
      "",
      "Dim i As Integer",
      "Dim j As Integer",
      "",
      "    For i = UBound(RequiredVariables) - 1 To LBound(RequiredVariables) Step -1",
      "        thisSheet.Columns(1).Insert xlToRight",
      "        For j = 1 To MaxColsToSearch",
      "           If LCase(thisSheet.Cells(1, j)) = LCase(RequiredVariables(i)) Then",
      "                thisSheet.Columns(j).Cut",
      "                thisSheet.Columns(1).Select",
      "                thisSheet.Paste",
      "                thisSheet.Columns(j).Delete",
      "                Exit For",
      "            End If",
      "        Next j",
      "",
      "    Next i",
      "",
      "End Sub",
      "",
      "Private Sub InsertFormula(thisSheet As Worksheet, RequiredVariables() As String, "
      "NumberOfInputs As Integer, FunctionName As String)",
      "",
  };
  lines.insert(lines.end(), formula.begin(), formula.end());
  const std::vector<std::string> tail = {
      "",
      "End Sub",
      "",
      "Private Function OKToDelete() As Boolean",
      "",
      "    Dim response",
      "",
      "    response = MsgBox(\"OK to delete some columns from this spreadsheet (if there are "
      "unrequired fields)?\", vbYesNo + vbQuestion)",
      "",
      "    If response = vbYes Then",
      "        OKToDelete = True",
      "    Else",
      "        OKToDelete = False",
      "    End If",
      "",
      "End Function",
  };
  lines.insert(lines.end(), tail.begin(), tail.end());
  return Join(lines);
}

const std::vector<std::string> kFormulaStart = {
    "    thisSheet.Columns(UBound(RequiredVariables)).Insert xlToRight",
    "    thisSheet.Cells(1, (UBound(RequiredVariables))) = \"Modelled_\" & "
    "RequiredVariables(UBound(RequiredVariables))",
};

PrepareDataMacroInput TwoInputs(std::string_view kind, bool classifier) {
  return {3, "book_CalculateIt", {"A", "B"}, "Y", std::string(kind), classifier};
}

TEST(PrepareDataMacro, TwoInputRegressionIsTheWholeMacro) {
  std::vector<std::string> formula = kFormulaStart;
  formula.push_back(
      "    thisSheet.Cells(2, UBound(RequiredVariables)).FormulaR1C1 = \"=\" & FunctionName & "
      "\"(RC[-\" & NumberOfInputs & \"]:RC[-1])\"");
  EXPECT_EQ(PrepareDataMacroText(TwoInputs(kModelKindNetwork, false)), ExpectedMacro(formula));
}

TEST(PrepareDataMacro, ClassifierAddsTheStrengthColumn) {
  std::vector<std::string> formula = kFormulaStart;
  formula.push_back(
      "    thisSheet.Cells(2, UBound(RequiredVariables)).FormulaR1C1 = \"=\" & FunctionName & "
      "\"(RC[-\" & NumberOfInputs & \"]:RC[-1],1)\"");
  formula.push_back("    thisSheet.Columns(UBound(RequiredVariables) + 1).Insert xlToRight");
  formula.push_back("    thisSheet.Cells(1, (UBound(RequiredVariables) + 1)) = \"Strength\"");
  formula.push_back(
      "    thisSheet.Cells(2, UBound(RequiredVariables) + 1).FormulaR1C1 = \"=\" & FunctionName & "
      "\"(RC[-\" & NumberOfInputs + 1 & \"]:RC[-2],2)\"");
  EXPECT_EQ(PrepareDataMacroText(TwoInputs(kModelKindNetwork, true)), ExpectedMacro(formula));
}

TEST(PrepareDataMacro, MarsNeverHasStrengthEvenWithAClassifierFlag) {
  const std::string mars = PrepareDataMacroText(TwoInputs(kModelKindMars, true));
  EXPECT_EQ(mars.find("Strength"), std::string::npos);
  EXPECT_EQ(mars, PrepareDataMacroText(TwoInputs(kModelKindNetwork, false)));
}

TEST(PrepareDataMacro, NamesStayInsideTheirStrings) {
  PrepareDataMacroInput input{3, "f_CalculateIt", {"say \"hi\"", "line\r\nbreak"}, "o\"ut", "MARS"};
  const std::string text = PrepareDataMacroText(input);
  EXPECT_NE(text.find("      RequiredVariables(1) = \"say \"\"hi\"\"\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("      RequiredVariables(2) = \"line  break\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("      RequiredVariables(3) = \"o\"\"ut\" 'existing"), std::string::npos);
}

TEST(PrepareDataMacro, LongNamesKeepToVbLines) {
  const std::string quoted = std::string(1500, 'q') + "\"";
  const std::string text = PrepareDataMacroText(
      {3, "f_CalculateIt", {quoted, std::string(25000, 'n')}, std::string(1950, 'o'), "MARS"});
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    EXPECT_LE(end - start, 1023u) << text.substr(start, 40);
  }
  // Cut only between whole characters of the string: the doubled quote stays together.
  EXPECT_NE(text.find("qqq\"\"\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\" & _\r\n        \"qqq"), std::string::npos);
  // 25000 bytes: three statements, the later ones adding to the first.
  EXPECT_NE(text.find("\r\n      RequiredVariables(2) = RequiredVariables(2) & \"nnn"),
            std::string::npos);
  EXPECT_NE(text.find("ooo\"\r\n      'existing output"), std::string::npos);
}

TEST(PrepareDataMacro, ManyInputsNumberedFromOne) {
  PrepareDataMacroInput input{61, "f_CalculateIt", {}, "out", "KESTRIUM"};
  for (int i = 1; i <= 60; ++i) input.input_names.push_back("V" + std::to_string(i));
  const std::string text = PrepareDataMacroText(input);
  EXPECT_NE(text.find("Const NumberOfInputsPlusOutput As Integer = 61\r\n"), std::string::npos);
  EXPECT_NE(text.find("      RequiredVariables(60) = \"V60\"\r\n      RequiredVariables(61) = "
                      "\"out\" 'existing"),
            std::string::npos);
  EXPECT_EQ(text.rfind("\r\n"), text.size() - 14);  // ends with "End Function"
}

}  // namespace
}  // namespace kdk
