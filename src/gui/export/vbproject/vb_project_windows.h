#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kdk::gui {

struct GuiContext;

// "Kestrium >> Visual Basic 6 Project": the loaded network as a VB6 project of three
// files, written beside the project file the user names.
class NetworkVbWindow : public QWidget {
  Q_OBJECT
 public:
  explicit NetworkVbWindow(GuiContext& context, QWidget* parent = nullptr);
  void Activate();

 private:
  GuiContext& context_;
  QPushButton* save_;
  QLabel* save_as_;
  QLabel* progress_;
};

// "MARS >> Visual Basic 6 Project": the same for the loaded MARS model, with the
// model summary beside the save controls.
class MarsVbWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MarsVbWindow(GuiContext& context, QWidget* parent = nullptr);
  void Activate();
  QPlainTextEdit* OutputBox() const { return summary_; }

 private:
  GuiContext& context_;
  QPlainTextEdit* summary_;
  QPushButton* save_;
  QLabel* save_as_;
  QLabel* progress_;
};

}  // namespace kdk::gui
