#pragma once

#include <QDialog>

#include "core/ports/shell_port.h"

namespace kdk::gui {

// frmMarsAbout: where the MARS method comes from and who holds its trademark.
class MarsAboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr char kMakerAddress[] = "https://www.minitab.com/";
  MarsAboutBox(ShellPort& shell, QWidget* parent = nullptr);
};

}  // namespace kdk::gui
