#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kdk::gui {

struct GuiContext;

// "Kestrium >> Excel": the loaded network as a macro-enabled workbook whose code
// module computes it as a worksheet function.
class NetworkWorkbookWindow : public QWidget {
  Q_OBJECT
 public:
  explicit NetworkWorkbookWindow(GuiContext& context, QWidget* parent = nullptr);
  void Activate();

 private:
  void Save();

  GuiContext& context_;
  QPushButton* save_;
  QLabel* save_as_;
  QLabel* progress_;
};

// "MARS >> Excel": the same for the loaded MARS model, with its summary shown.
class MarsWorkbookWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MarsWorkbookWindow(GuiContext& context, QWidget* parent = nullptr);
  void Activate();
  QPlainTextEdit* OutputBox() const { return summary_; }

 private:
  void Save();

  GuiContext& context_;
  QPlainTextEdit* summary_;
  QPushButton* save_;
  QLabel* save_as_;
  QLabel* progress_;
};

}  // namespace kdk::gui
