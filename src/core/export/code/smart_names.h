#pragma once

#include <string>
#include <string_view>

#include "core/export/code/code_export_settings.h"
#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// With `smart` on: the trimmed name with every character other than a-z, A-Z, 0-9
// and "_" written as "_", and "_" put before a leading digit ("2nd input" ->
// "_2nd_input"). With it off the name is returned unchanged.
std::string SmartName(std::string_view name, bool smart);

// Trimmed, with every blank written as "_".
std::string TrimToUnderscores(std::string_view name);

// Stores the trimmed output name back into the settings; when it is empty reports
// "Invalid Output Name!" and returns false.
bool CheckOutputName(CodeExportSettings& settings, MessagePort& messages);

// The output name becomes "Kestrium_" and the model's output name; the root name "Var".
void ResetNames(CodeExportSettings& settings, const NetworkModel& model);

}  // namespace kdk
