#include "gui/ports/qt_file_dialogs.h"

#include <QFileInfo>

#include "gui/common/latin1_text.h"
#include "gui/ports/file_dialog_filter.h"

namespace kdk::gui {

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool saving) {
  if (!request.title.empty()) dialog.setWindowTitle(ToQString(request.title));
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!request.initial_folder.empty()) {
    dialog.setDirectory(PathToQString(request.initial_folder));
  }
  QStringList filters;
  for (const std::string& filter : NameFiltersOf(request.filter)) filters << ToQString(filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int selected = request.selected_filter >= 0 && request.selected_filter < filters.size()
                             ? request.selected_filter
                             : 0;
    dialog.selectNameFilter(filters.at(selected));
  }
  if (!request.preset_name.empty()) dialog.selectFile(PathToQString(request.preset_name));
}

std::string QtFileDialogs::OpenFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_.data());
  ConfigureFileDialog(dialog, request, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return PathFromQString(dialog.selectedFiles().first());
}

std::string QtFileDialogs::SaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_.data());
  ConfigureFileDialog(dialog, request, true);
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString chosen = dialog.selectedFiles().first();
    if (request.confirm_create && !QFileInfo::exists(chosen)) {
      const std::string question = PathFromQString(QFileInfo(chosen).fileName()) +
                                   "\r\nThis file does not exist.\r\nCreate the file?";
      const MessageAnswer answer =
          messages_.Show(question, request.title.empty() ? kApplicationTitle : request.title,
                         MessageIcon::Exclamation, MessageButtons::YesNo);
      if (answer != MessageAnswer::Yes) continue;  // back to the dialog
    }
    return PathFromQString(chosen);
  }
  return {};
}

}  // namespace kdk::gui
