#pragma once

#include "gui/shell/gui_context.h"

namespace kdk::gui {

// The control panel's MARS load: chooses a MARS model and reads it. True when a
// model was loaded.
bool RunLoadMarsModel(GuiContext& context);

}  // namespace kdk::gui
