#include "gui/network/load_network_gui.h"

#include "core/shell/load_network.h"

namespace kdk::gui {

bool LoadNetworkModel(GuiContext& context) {
  if (!kdk::LoadNetworkModel(context.workspace, context.ports)) return false;
  context.host.NetworkLoaded();
  return true;
}

}  // namespace kdk::gui
