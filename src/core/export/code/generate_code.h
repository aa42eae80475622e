#pragma once

#include <string>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_plan.h"
#include "core/export/generation_stamp.h"
#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// The whole generated text: header comment block, prologue, network expression and
// epilogue of settings.code_type, in its syntax. A network that cannot be written (an input with an
// empty normalisation range) is reported and gives "".
std::string GenerateCode(const CodeExportSettings& settings, const NetworkModel& model,
                         const GenerationStamp& stamp, MessagePort& messages);
// The same, leaving what the generation decided (names, temporaries) in `plan`.
std::string GenerateCode(const CodeExportSettings& settings, const NetworkModel& model,
                         const GenerationStamp& stamp, MessagePort& messages, CodePlan& plan);

}  // namespace kdk
