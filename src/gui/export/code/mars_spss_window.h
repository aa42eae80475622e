#pragma once

#include <QWidget>
#include <string>

#include "core/export/code/mars_spss.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kdk::gui {

struct GuiContext;

// "MARS >> SPSS": the loaded MARS model as SPSS syntax that adds the prediction as a
// new variable, rebuilt when the output name or the header option changes.
class MarsSpssWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MarsSpssWindow(GuiContext& context, QWidget* parent = nullptr);

  void Activate();
  QPlainTextEdit* OutputBox() const { return syntax_box_; }
  const std::string& Text() const { return text_; }

 private:
  void Generate();
  bool CheckOutputName();
  void SetControlsEnabled(bool enabled);

  GuiContext& context_;
  MarsSpssOptions options_;
  bool filled_ = false;
  std::string text_;
  std::string spss_data_file_;  // the data file chosen for matching
  QLineEdit* output_name_;
  QCheckBox* header_;
  QPlainTextEdit* syntax_box_;
  QPushButton* save_;
  QPushButton* copy_;
  QPushButton* load_spss_file_;
  QLabel* save_as_;
  QLabel* progress_;
};

}  // namespace kdk::gui
