#include "core/export/sheet/workbook_code_blocks.h"

#include "core/common/text_utils.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/lang/language_rules.h"
#include "core/lang/vb_line_fitting.h"

namespace kdk {
namespace {

constexpr std::string_view kCalculateItComments =
    "\r\n"
    "\t'This function 'lies' under the cell that displays the modelled value\r\n"
    "\t'It is 'fired' every time an input value changes and focus is moved away from that "
    "cell\r\n"
    "\t'The model is calculated and returned to the modelled value cell\r\n"
    "\r\n"
    "\t'the first time we need to read in all the weights - this only needs to happen once\r\n"
    "\tIf DataRead = False Then\r\n"
    "\t  Call SetModelValues\r\n"
    "\t  DataRead = True\r\n"
    "\tEnd If\r\n"
    "\r\n"
    "\tCall ReadInputValues(rCells)\r\n"
    "\r\n"
    "\tCall calcNet\r\n";

// The function's end and the reading loop's start, the same for both kinds of model.
constexpr std::string_view kReadInputValuesStart =
    "End Function\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "Private Sub ReadInputValues(rCells as Range)\r\n"
    "\r\n"
    "\t'This routine reads the data from the sheet\r\n"
    "\tDim rRange as Range\r\n"
    "\tDim i as Integer\r\n"
    "\ti = 1\r\n"
    "\tFor Each rRange in rCells\r\n";

constexpr std::string_view kReadInputValues =
    "\t  inpval(i) = rRange\r\n"
    "\t  inpval(i) = normalise(inpVal(i),i)\r\n"
    "\t  'Call inputWarnings(inpVal(i),i)\r\n"
    "\t  i = i + 1\r\n"
    "\tNext rRange\r\n"
    "\tinpVal(inppb) = 1\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n";

constexpr std::string_view kInputWarnings =
    "\r\n"
    "Private Sub inputWarnings(myVal as Double, myIndex as Integer)\r\n"
    "\r\n"
    "\tIf myVal < minSeen(myIndex) then\r\n"
    "\t\tMsgBox \"Value for \" & Cells(myIndex + firstRow - 1, dataCol - 1).Value & \" is smaller "
    "than experienced during the creation of the model!\",vbCritical,\"Beware!\"\r\n"
    "\tElseIf myVal > maxSeen(myIndex) then\r\n"
    "\t\tMsgBox \"Value for \" & Cells(myIndex + firstRow - 1, dataCol - 1).Value & \" is larger "
    "than experienced during the creation of the model!\",vbCritical,\"Beware!\"\r\n"
    "\tEnd If\r\n"
    "\r\n"
    "End Sub\r\n";

constexpr std::string_view kOutputWarning =
    "\r\n"
    "\r\n"
    "Private Sub outputWarning(myVal as Double)\r\n"
    "\r\n"
    "\tIf myVal < minSeenOut then\r\n"
    "\t\tMsgBox \"Warning - modelled value is smaller than experienced during the creation of the "
    "model!\",vbCritical,\"Beware!\"\r\n"
    "\tElseIf myVal > maxSeenOut then\r\n"
    "\t\tMsgBox \"Warning - modelled value is larger than experienced during the creation of the "
    "model!\",vbCritical,\"Beware!\"\r\n"
    "\tEnd If\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n";

constexpr std::string_view kMarsCalculateItBody =
    "\r\n"
    "\t'This function 'lies' under the cell that displays the modelled value\r\n"
    "\t'It is 'fired' every time an input value changes and focus is moved away from that "
    "cell\r\n"
    "\t'The modelled value is calculated and returned to the prediction cell\r\n"
    "\r\n"
    "\t'the first time we need to read in all the weights - this only needs to happen once\r\n"
    "\tCall ReadInputValues(rCells)\r\n"
    "\r\n"
    "\tCall calcBasisFunctions\r\n"
    "\r\n"
    "\t'The function returns the modelled value\r\n";

constexpr std::string_view kMarsReadInputValues =
    "\t  If RepresentsNull(rRange) = TRUE THEN\r\n"
    "\t    inpValRepresentsNull(i) = TRUE\r\n"
    "\t    inpVal(i) = 0\r\n"
    "\t  Else\r\n"
    "\t    inpValRepresentsNull(i) = FALSE\r\n"
    "\t    inpval(i) = rRange\r\n"
    "\t  End If\r\n"
    "\t  i = i + 1\r\n"
    "\tNext rRange\r\n"
    "\r\n"
    "End Sub\r\n"
    "\r\n";

}  // namespace

std::string WorkbookConstantsBlock() {
  return "'these next two constants represent the cell location of the input data\r\n"
         "'if the cells are moved then change these two constants to represent the new "
         "location\r\n"
         "Const dataCol As Integer = 2\r\n"
         "Const firstRow As Integer = 2\r\n"
         "\r\n"
         "dim DataRead as boolean\r\n"
         "\r\n";
}

std::string CalculateItBlock(std::string_view base, bool is_classifier) {
  std::string out;
  out.reserve(kCalculateItComments.size() + kReadInputValuesStart.size() + kReadInputValues.size() +
              4 * base.size() + 300);
  out.append(kCrLf);
  out.append("Public Function ").append(base).append("_CalculateIt(rCells As Range");
  out.append(is_classifier ? ", X as Integer) As Variant\r\n" : ") As Variant\r\n");
  out.append(kCalculateItComments);
  if (is_classifier) {
    out.append("\r\n\t'The function returns the modelled value\r\n\r\n\tIf X=1 then\r\n");
    out.append("\t  ").append(base).append("_CalculateIt = KestriumPrediction\r\n");
    out.append("\tElse\r\n");
    out.append("\t  ").append(base).append("_CalculateIt = conf\r\n");
    out.append("\tEnd If\r\n\r\n");
  } else {
    out.append("\t'Call outputWarning(KestriumPrediction)\r\n\r\n");
    out.append("\t'The function returns the modelled value\r\n");
    out.append("\t").append(base).append("_CalculateIt = KestriumPrediction\r\n\r\n");
  }
  out.append(kReadInputValuesStart);
  out.append(kReadInputValues);
  return out;
}

std::string WorkbookWarningsBlock(bool is_classifier) {
  std::string out;
  out.reserve(kInputWarnings.size() + kOutputWarning.size() + 4);
  out.append(kInputWarnings);
  // Either way the block closes with two empty lines after its last "End Sub".
  out.append(is_classifier ? std::string_view("\r\n") : kOutputWarning);
  return out;
}

std::string MarsModuleHeaderBlock(std::string_view model_path, std::string_view now_text) {
  const lang::LanguageRules& vb = lang::RulesOf(lang::Language::VisualBasic);
  std::string out;
  out.reserve(model_path.size() + 300);
  out.append(VbGeneratedByLine()).append(kCrLf);
  AppendVbMakerLines(out);
  out.append(kCrLf);
  std::string rules_line = "'MARS rules file: ";
  lang::AppendCommentSafe(vb, rules_line, model_path);
  lang::AppendVbCommentLine(out, rules_line);
  out.append(kCrLf);
  out.append("'this file created: ").append(now_text).append(kCrLf);
  out.append(kCrLf);
  return out;
}

std::string MarsCalculateItBlock(std::string_view base) {
  std::string out;
  out.reserve(kMarsCalculateItBody.size() + kReadInputValuesStart.size() +
              kMarsReadInputValues.size() + 2 * base.size() + 80);
  out.append(kCrLf);
  out.append("Public Function ")
      .append(base)
      .append("_CalculateIt(rCells As Range) As Variant\r\n");
  out.append(kMarsCalculateItBody);
  out.append("\t").append(base).append("_CalculateIt = calcEquation\r\n");
  out.append(kCrLf);
  out.append(kReadInputValuesStart);
  out.append(kMarsReadInputValues);
  return out;
}

}  // namespace kdk
