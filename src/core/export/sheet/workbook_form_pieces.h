#pragma once

#include "core/export/generation_stamp.h"
#include "core/export/sheet/workbook_code_module.h"
#include "core/mars/mars_model.h"
#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// The network form code pieces the workbook module reuses, as the VB project writes them.
NetworkCodePieces NetworkWorkbookPieces(const NetworkModel& model, const GenerationStamp& stamp);

// The MARS project pieces the workbook module reuses. False, with the reason reported,
// for a model the VB code cannot compute as written.
bool MarsWorkbookPieces(const MarsModel& model, MarsCodePieces& pieces, MessagePort& messages);

}  // namespace kdk
