#pragma once

#include <string>

#include "core/export/code/code_export_settings.h"
#include "core/ports/clock.h"
#include "core/ports/message_port.h"
#include "core/workspace.h"

namespace kdk {

// The whole generated text: header comment block, prologue, network expression and
// epilogue of settings.code_type, with the syntax ApplyCodeTypeSyntax set. For C and
// Java every "Tanh(" becomes "myTanh(", so the header, the prototype, the function
// and its calls agree. A network that cannot be written (an input with an empty
// normalisation range) is reported and gives "".
std::string GenerateCode(CodeExportSettings& settings, const Workspace& workspace, Clock& clock,
                         MessagePort& messages);

}  // namespace kdk
