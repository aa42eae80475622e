#pragma once

#include "gui/shell/gui_context.h"

namespace kdk::gui {

// A network load started from a window: the engine's load (command line once, then
// the open dialog), and on success the host names the file and rebuilds the visible
// network window. True when a network was loaded.
bool LoadNetworkModel(GuiContext& context);

}  // namespace kdk::gui
