#pragma once

#include <QWidget>
#include <string>

#include "core/export/code/network_sql.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kdk::gui {

struct GuiContext;

// "Kestrium >> SQL": the loaded network as an UPDATE or a SELECT for SQL Server,
// Access or standard SQL, rebuilt at every option change, saved or copied as shown.
class NetworkSqlWindow : public QWidget {
  Q_OBJECT
 public:
  explicit NetworkSqlWindow(GuiContext& context, QWidget* parent = nullptr);

  // Each time the window becomes active: place it, fill the default field, rebuild.
  void Activate();
  // The generated text, with its CR LF line ends.
  const std::string& Text() const { return text_; }

 private:
  void Generate();
  void SetControlsEnabled(bool enabled);
  NetworkSqlOptions Options() const;

  GuiContext& context_;
  bool filled_ = false;
  std::string text_;
  QGroupBox* dialect_frame_;
  QRadioButton* access_;
  QRadioButton* sql_server_;
  QRadioButton* ansi_;
  QGroupBox* form_frame_;
  QRadioButton* update_;
  QRadioButton* select_;
  QLineEdit* field_name_;
  QLineEdit* table_name_;
  QLineEdit* database_name_;
  QCheckBox* header_;
  QPlainTextEdit* sql_box_;
  QPushButton* save_;
  QPushButton* copy_;
  QLabel* save_as_;
  QLabel* progress_;
};

}  // namespace kdk::gui
