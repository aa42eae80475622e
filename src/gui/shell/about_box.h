#pragma once

#include <QDialog>

namespace kdk::gui {

// frmAbout: the program's title, version and what it is for.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
  // "Version 1.0  -   May 2004 " for version 1.0.
  static QString VersionText(int major, int minor);
  static QString DescriptionText();
};

}  // namespace kdk::gui
