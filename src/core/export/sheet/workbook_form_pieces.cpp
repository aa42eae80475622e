#include "core/export/sheet/workbook_form_pieces.h"

#include "core/export/vbproject/mars_form_code.h"
#include "core/export/vbproject/network_form_code.h"

#include <string_view>

namespace kdk {
namespace {

// A classifier whose training never saw an output of one sign has 0 as that limit: the
// strength is then 0, as the evaluator gives, not a division error in every cell.
void GuardStrengthDivision(std::string& pass, std::string_view divisor, std::string_view limit) {
  const std::size_t at = pass.find("conf = KestriumPrediction/" + std::string(divisor));
  if (at != std::string::npos)
    pass.insert(at, "If " + std::string(limit) + " = 0 Then conf = 0 Else ");
}

std::string WorkbookForwardPass(const NetworkModel& model) {
  std::string pass = VbNetworkForwardPass(model);
  GuardStrengthDivision(pass, "maxSeenOutCL", "maxSeenOutCL");
  GuardStrengthDivision(pass, "ABS(minSeenOutCL)", "minSeenOutCL");
  return pass;
}

}  // namespace

NetworkCodePieces NetworkWorkbookPieces(const NetworkModel& model, const GenerationStamp& stamp) {
  return {VbNetworkHeaderComment(model, stamp),
          VbNetworkDataDefinitions(model),
          VbNetworkModelValues(model),
          WorkbookForwardPass(model),
          VbNormaliseFunction(),
          VbTanhFunction("myTanh")};
}

bool MarsWorkbookPieces(const MarsModel& model, MarsCodePieces& pieces, MessagePort& messages) {
  MarsVbCode code;
  if (!PrepareMarsVbCode(model, code, messages)) return false;
  pieces.declarations = VbMarsDataDefinitions(model, code);
  if (!VbMarsCalculationProcedures(code, pieces.calculation)) {
    messages.Inform("The MARS model is too large for the workbook's code module.");
    return false;
  }
  // The display piece ends with the "RepresentsNull" function; the workbook needs only it.
  const std::string display = VbMarsDisplayAndInput(code);
  const std::size_t start = display.find("Private Function RepresentsNull(");
  pieces.represents_null = start == std::string::npos ? std::string() : display.substr(start);
  return true;
}

}  // namespace kdk
