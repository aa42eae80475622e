#pragma once

#include <QFileDialog>
#include <QPointer>
#include <QWidget>

#include "core/ports/file_dialog_port.h"
#include "core/ports/message_port.h"

namespace kdk::gui {

// Sets up a QFileDialog from a request: title, folder, preset name, filters and the
// preselected filter.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool saving);

// Open and save dialogs as QFileDialog. A save dialog asks before overwriting an
// existing file and, when the request says so, before creating a new one.
class QtFileDialogs : public FileDialogPort {
 public:
  explicit QtFileDialogs(MessagePort& messages) : messages_(messages) {}
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  std::string OpenFile(const FileDialogRequest& request) override;
  std::string SaveFile(const FileDialogRequest& request) override;

 private:
  MessagePort& messages_;
  QPointer<QWidget> parent_;
};

}  // namespace kdk::gui
