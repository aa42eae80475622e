#pragma once

#include <string>

#include "core/ports/message_port.h"
#include "core/workspace.h"

namespace kdk::cli {

enum class ModelKind { Network, Mars };

// A path ending in ".kwf" (any case) is a network; anything else is MARS rules text,
// "-" being text read from standard input.
ModelKind KindOfModelPath(const std::string& path);

// Loads the model named on the command line into the workspace, reporting problems
// through `messages`. False when it cannot be read.
bool LoadModelForCli(const std::string& path, Workspace& workspace, MessagePort& messages);

}  // namespace kdk::cli
