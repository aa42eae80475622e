#include "core/export/sheet/workbook_code_blocks.h"

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

const std::vector<std::string> kReadInputValuesLines = {
    "End Function",
    "",
    "",
    "",
    "Private Sub ReadInputValues(rCells as Range)",
    "",
    "\t'This routine reads the data from the sheet",
    "\tDim rRange as Range",
    "\tDim i as Integer",
    "\ti = 1",
    "\tFor Each rRange in rCells",
    "\t  inpval(i) = rRange",
    "\t  inpval(i) = normalise(inpVal(i),i)",
    "\t  'Call inputWarnings(inpVal(i),i)",
    "\t  i = i + 1",
    "\tNext rRange",
    "\tinpVal(inppb) = 1",
    "",
    "End Sub",
    "",
    "",
};

std::vector<std::string> CalculateItHead(const std::string& signature) {
  return {
      "",
      signature,
      "",
      "\t'This function 'lies' under the cell that displays the modelled value",
      "\t'It is 'fired' every time an input value changes and focus is moved away from that cell",
      "\t'The model is calculated and returned to the modelled value cell",
      "",
      "\t'the first time we need to read in all the weights - this only needs to happen once",
      "\tIf DataRead = False Then",
      "\t  Call SetModelValues",
      "\t  DataRead = True",
      "\tEnd If",
      "",
      "\tCall ReadInputValues(rCells)",
      "",
      "\tCall calcNet",
  };
}

TEST(WorkbookCodeBlocks, ConstantsBlock) {
  EXPECT_EQ(WorkbookConstantsBlock() + "\r\n",
            Join({"'these next two constants represent the cell location of the input data",
                  "'if the cells are moved then change these two constants to represent the new "
                  "location",
                  "Const dataCol As Integer = 2", "Const firstRow As Integer = 2", "",
                  "dim DataRead as boolean", "", ""}) +
                "\r\n");
}

TEST(WorkbookCodeBlocks, RegressionCalculateIt) {
  std::vector<std::string> lines =
      CalculateItHead("Public Function my_model_CalculateIt(rCells As Range) As Variant");
  for (const char* line : {"\t'Call outputWarning(KestriumPrediction)", "",
                           "\t'The function returns the modelled value",
                           "\tmy_model_CalculateIt = KestriumPrediction", ""}) {
    lines.push_back(line);
  }
  lines.insert(lines.end(), kReadInputValuesLines.begin(), kReadInputValuesLines.end());
  ASSERT_EQ(lines.size(), 42u);
  EXPECT_EQ(CalculateItBlock("my_model", false), Join(lines));
}

TEST(WorkbookCodeBlocks, ClassifierCalculateItTakesTheResultNumber) {
  std::vector<std::string> lines =
      CalculateItHead("Public Function b_CalculateIt(rCells As Range, X as Integer) As Variant");
  for (const char* line : {"", "\t'The function returns the modelled value", "", "\tIf X=1 then",
                           "\t  b_CalculateIt = KestriumPrediction", "\tElse",
                           "\t  b_CalculateIt = conf", "\tEnd If", ""}) {
    lines.push_back(line);
  }
  lines.insert(lines.end(), kReadInputValuesLines.begin(), kReadInputValuesLines.end());
  ASSERT_EQ(lines.size(), 46u);
  EXPECT_EQ(CalculateItBlock("b", true), Join(lines));
}

const std::vector<std::string> kInputWarningLines = {
    "",
    "Private Sub inputWarnings(myVal as Double, myIndex as Integer)",
    "",
    "\tIf myVal < minSeen(myIndex) then",
    "\t\tMsgBox \"Value for \" & Cells(myIndex + firstRow - 1, dataCol - 1).Value & \" is smaller "
    "than experienced during the creation of the model!\",vbCritical,\"Beware!\"",
    "\tElseIf myVal > maxSeen(myIndex) then",
    "\t\tMsgBox \"Value for \" & Cells(myIndex + firstRow - 1, dataCol - 1).Value & \" is larger "
    "than experienced during the creation of the model!\",vbCritical,\"Beware!\"",
    "\tEnd If",
    "",
    "End Sub",
    "",
};

TEST(WorkbookCodeBlocks, RegressionWarningsHaveTheOutputWarning) {
  std::vector<std::string> lines = kInputWarningLines;
  for (const char* line :
       {"", "Private Sub outputWarning(myVal as Double)", "", "\tIf myVal < minSeenOut then",
        "\t\tMsgBox \"Warning - modelled value is smaller than experienced during the creation of "
        "the model!\",vbCritical,\"Beware!\"",
        "\tElseIf myVal > maxSeenOut then",
        "\t\tMsgBox \"Warning - modelled value is larger than experienced during the creation of "
        "the model!\",vbCritical,\"Beware!\"",
        "\tEnd If", "", "End Sub", "", ""}) {
    lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(WorkbookWarningsBlock(false), Join(lines));
}

TEST(WorkbookCodeBlocks, ClassifierWarningsEndAfterTheInputWarnings) {
  EXPECT_EQ(WorkbookWarningsBlock(true), Join(kInputWarningLines) + "\r\n");
  EXPECT_EQ(WorkbookWarningsBlock(true).find("outputWarning"), std::string::npos);
}

TEST(WorkbookCodeBlocks, MarsHeaderNamesTheRulesFile) {
  EXPECT_EQ(MarsModuleHeaderBlock("Pasted_Model", "Sun, Dec 6 2026, 2:05 AM"),
            Join({"'This file was generated by the Kestrium Development Kit - Version 2.1",
                  "'Written by Kestrium Software, May 2004", "'http://www.kestrium.com", "",
                  "'MARS rules file: Pasted_Model", "'this file created: Sun, Dec 6 2026, 2:05 AM",
                  "", ""}));
  // A path cannot break out of its comment line.
  const std::string header = MarsModuleHeaderBlock("a\r\nMsgBox 1", "now");
  EXPECT_NE(header.find("'MARS rules file: a  MsgBox 1\r\n"), std::string::npos);
}

TEST(WorkbookCodeBlocks, MarsCalculateItReadsNulls) {
  const std::vector<std::string> lines = {
      "",
      "Public Function m_CalculateIt(rCells As Range) As Variant",
      "",
      "\t'This function 'lies' under the cell that displays the modelled value",
      "\t'It is 'fired' every time an input value changes and focus is moved away from that cell",
      "\t'The modelled value is calculated and returned to the prediction cell",
      "",
      "\t'the first time we need to read in all the weights - this only needs to happen once",
      "\tCall ReadInputValues(rCells)",
      "",
      "\tCall calcBasisFunctions",
      "",
      "\t'The function returns the modelled value",
      "\tm_CalculateIt = calcEquation",
      "",
      "End Function",
      "",
      "",
      "",
      "Private Sub ReadInputValues(rCells as Range)",
      "",
      "\t'This routine reads the data from the sheet",
      "\tDim rRange as Range",
      "\tDim i as Integer",
      "\ti = 1",
      "\tFor Each rRange in rCells",
      "\t  If RepresentsNull(rRange) = TRUE THEN",
      "\t    inpValRepresentsNull(i) = TRUE",
      "\t    inpVal(i) = 0",
      "\t  Else",
      "\t    inpValRepresentsNull(i) = FALSE",
      "\t    inpval(i) = rRange",
      "\t  End If",
      "\t  i = i + 1",
      "\tNext rRange",
      "",
      "End Sub",
      "",
      "",  // line 39: the RepresentsNull block follows at once
  };
  EXPECT_EQ(MarsCalculateItBlock("m"), Join(lines));
}

}  // namespace
}  // namespace kdk
