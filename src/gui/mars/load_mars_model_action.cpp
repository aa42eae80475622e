#include "gui/mars/load_mars_model_action.h"

#include <QLabel>

#include "core/shell/load_mars_model.h"
#include "gui/common/latin1_text.h"
#include "gui/mars/mars_source_dialogs.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

bool LoadMarsModelFromPanel(GuiContext& context, QWidget* parent, QLabel* file_name_label) {
  GuiMarsSourceDialogs dialogs(context.ports.clipboard, parent);
  if (!LoadMarsModel(context.workspace, context.ports, dialogs)) return false;
  if (file_name_label) {
    file_name_label->setText(PathToQString(MarsModelLabelCaption(context.workspace)));
  }
  return true;
}

}  // namespace kdk::gui
