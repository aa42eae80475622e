#include "gui/export/code/mars_text_save.h"

#include <QLabel>

#include "core/mars/generated_file.h"
#include "core/shell/common_operations.h"
#include "gui/common/latin1_text.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

void SaveMarsText(GuiContext& context, std::string_view name_suffix, std::string_view filter,
                  const std::string& text, QLabel* save_as, QLabel* progress, int model_type) {
  Workspace& workspace = context.workspace;
  const std::string path = ChooseSaveFile(workspace, context.ports, filter,
                                          workspace.state.model_name + std::string(name_suffix));
  if (path.empty()) return;

  workspace.output_path = path;
  save_as->setText(PathToQString("Saving as " + path));
  if (!CheckReadyToSave(workspace, path, model_type, context.ports.messages)) return;
  WriteGeneratedFile(
      path, text,
      [progress](const std::string& caption) {
        progress->setText(PathToQString(caption).replace("\r\n", "\n"));
      },
      context.ports.messages, workspace.state.model_path);
}

void CopyMarsText(GuiContext& context, const std::string& text) {
  context.ports.clipboard.Clear();
  context.ports.clipboard.SetText(text);
}

}  // namespace kdk::gui
