#pragma once

#include <string>

#include "core/ports/ports.h"
#include "core/workspace.h"

namespace kdk {

// Reads a weights file and its description into a fresh record and, only when both
// passes succeed and every number an artifact would write is writable
// (NetworkNumberProblem), makes it the loaded network. A failure is reported and
// leaves the previous network and its path untouched.
bool LoadNetworkFromPath(Workspace& workspace, const std::string& path, MessagePort& messages);

// The control panel's load: a weights file from the command line (tried once),
// otherwise the open dialog. False when cancelled or when the file is bad.
bool LoadNetworkModel(Workspace& workspace, Ports& ports);

}  // namespace kdk
