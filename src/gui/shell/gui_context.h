#pragma once

#include "core/ports/ports.h"
#include "core/workspace.h"
#include "gui/shell/converter_host.h"

namespace kdk::gui {

// Handed to every window: the application's one workspace, the ports, the host.
struct GuiContext {
  Workspace& workspace;
  Ports& ports;
  ConverterHost& host;
};

}  // namespace kdk::gui
