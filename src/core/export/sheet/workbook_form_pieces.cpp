#include "core/export/sheet/workbook_form_pieces.h"

#include "core/export/vbproject/mars_form_code.h"
#include "core/export/vbproject/network_form_code.h"

namespace kdk {

NetworkCodePieces NetworkWorkbookPieces(const NetworkModel& model, const VbProjectStamp& stamp) {
  return {VbNetworkHeaderComment(model, stamp),
          VbNetworkDataDefinitions(model),
          VbNetworkModelValues(model),
          VbNetworkForwardPass(model),
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
