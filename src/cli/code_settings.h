#pragma once

#include "cli/arguments.h"
#include "core/export/code/code_export_settings.h"
#include "core/network/network_model.h"

namespace kdk::cli {

// The code window's state after activation with the code type chosen, then the
// options as the user would set the controls. One reading of the options for
// `convert` and the SPSS commands, so they write the same text.
CodeExportSettings SettingsFromArguments(CodeType type, const Arguments& args,
                                         const NetworkModel& model);

}  // namespace kdk::cli
