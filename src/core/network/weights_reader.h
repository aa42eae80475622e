#pragma once

#include <string>
#include <string_view>

#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// Reads the field stream of a weights file into `model` (everything but the
// description). False with a short technical `detail` when the bytes are not a
// well-formed weights file.
bool ParseWeightsFields(std::string_view bytes, NetworkModel& model, std::string& detail);

// The free text between the "NET DESCRIPTION" and "END OF NET DESCRIPTION" lines.
std::string ParseNetDescription(std::string_view bytes);

// "Problems reading the Kestrium Weights file: " ... "This file is corrupted."
std::string CorruptWeightsFileMessage(std::string_view path);

// The field pass on a file; reports a failure through `messages`.
bool ReadWeightsFile(const std::string& path, NetworkModel& model, MessagePort& messages);

// The description pass on a file; reports a failure through `messages`.
bool ReadNetDescription(const std::string& path, std::string& description, MessagePort& messages);

}  // namespace kdk
