#pragma once

#include <QWidget>
#include <string>

#include "core/export/code/mars_sql.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kdk::gui {

struct GuiContext;

// "MARS >> SQL": the loaded MARS model as one UPDATE query for SQL Server or Access,
// rebuilt at every option change, saved or copied exactly as shown.
class MarsSqlWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MarsSqlWindow(GuiContext& context, QWidget* parent = nullptr);

  // Each time the window becomes active: place it, check the input names, rebuild.
  void Activate();
  QPlainTextEdit* OutputBox() const { return sql_box_; }
  // The generated text, with its CR LF line ends.
  const std::string& Text() const { return text_; }

 private:
  void Generate();
  void ApplyDialectEnabling();
  void SetControlsEnabled(bool enabled);
  MarsSqlOptions Options() const;

  GuiContext& context_;
  bool filled_ = false;
  std::string text_;
  QGroupBox* dialect_frame_;
  QRadioButton* access_;
  QRadioButton* sql_server_;
  QLineEdit* field_name_;
  QLineEdit* table_name_;
  QLineEdit* database_name_;
  QCheckBox* create_field_;
  QCheckBox* brackets_;
  QCheckBox* header_;
  QPlainTextEdit* summary_box_;
  QPlainTextEdit* sql_box_;
  QPushButton* save_;
  QPushButton* copy_;
  QLabel* save_as_;
  QLabel* progress_;
};

}  // namespace kdk::gui
