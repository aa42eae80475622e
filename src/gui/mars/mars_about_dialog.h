#pragma once

#include <QDialog>

#include "core/ports/shell_port.h"

namespace kdk::gui {

// "About MARS": where the method comes from, and a button to its maker's site.
class MarsAboutDialog : public QDialog {
  Q_OBJECT
 public:
  MarsAboutDialog(ShellPort& shell, QWidget* parent = nullptr);
};

}  // namespace kdk::gui
