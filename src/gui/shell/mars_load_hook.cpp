#include "gui/shell/mars_load_hook.h"

namespace kdk::gui {

bool RunLoadMarsModel(GuiContext& context) {
  // MARS models are read by their own windows, which this build does not have yet.
  context.workspace.state.model_type = kMarsModelType;
  context.ports.messages.Inform("Loading MARS models is not available in this build.",
                                MessageIcon::Information);
  return false;
}

}  // namespace kdk::gui
