#pragma once

#include <array>

#include <QWidget>

#include "core/export/code/code_export_settings.h"
#include "gui/shell/gui_context.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kdk::gui {

// The network as program code in one of seven code types: the options on the left,
// the generated text on the right, rebuilt after every change of an option.
class CodeExportWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CodeExportWindow(GuiContext& context, QWidget* parent = nullptr);

  // Each time the window becomes active: place it, reset the names, the SAS data
  // sets, the layout and the tanh choice (the code type is kept) and regenerate.
  // Runs also when the user returns to the window in the main window's area.
  void Activate();
  QPlainTextEdit* OutputBox() const { return code_window_; }
  const CodeExportSettings& Settings() const { return settings_; }

 protected:
  bool event(QEvent* event) override;

 private:
  void WatchFrameActivation();
  void BuildControls();
  void ConnectEvents();
  void ApplyCodeType(bool from_selection);
  void GenerateCode();
  void ReadControls();
  void ResetNamesInBoxes();
  void SelectFormat(int format);
  void SaveAs();
  void Copy();
  void SetRegenerating(QCheckBox* box);

  GuiContext& context_;
  CodeExportSettings settings_;
  QWidget* watched_frame_ = nullptr;
  int activations_ = 0;

  QComboBox* code_type_ = nullptr;
  QLineEdit* field_name_ = nullptr;
  QLineEdit* root_name_ = nullptr;
  QCheckBox* smart_names_ = nullptr;
  QCheckBox* include_description_ = nullptr;
  QCheckBox* include_header_ = nullptr;
  QCheckBox* include_limits_ = nullptr;
  QCheckBox* include_tanh_ = nullptr;
  std::array<QRadioButton*, 4> formats_{};
  std::array<QLineEdit*, 7> equation_boxes_{};
  QRadioButton* tanh_call_ = nullptr;
  QRadioButton* tanh_exp_ = nullptr;
  QCheckBox* sas_var_list_ = nullptr;
  QCheckBox* append_to_source_ = nullptr;
  QLineEdit* sas_source_ = nullptr;
  QLineEdit* sas_new_ = nullptr;
  QCheckBox* spss_remove_fields_ = nullptr;
  QCheckBox* spss_8char_warning_ = nullptr;
  QCheckBox* spss_var_list_ = nullptr;
  QLineEdit* java_class_ = nullptr;
  QLineEdit* fortran_program_ = nullptr;
  QGroupBox* comments_frame_ = nullptr;
  QGroupBox* format_frame_ = nullptr;
  QGroupBox* equation_frame_ = nullptr;
  QGroupBox* sas_frame_ = nullptr;
  QGroupBox* spss_frame_ = nullptr;
  QGroupBox* java_frame_ = nullptr;
  QGroupBox* fortran_frame_ = nullptr;
  QGroupBox* vb_frame_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* reset_name_ = nullptr;
  QPushButton* load_spss_file_ = nullptr;
  QPushButton* sas_home_ = nullptr;
  QPushButton* spss_home_ = nullptr;
  QLabel* save_as_label_ = nullptr;
  QLabel* progress_label_ = nullptr;
  QPlainTextEdit* code_window_ = nullptr;
};

}  // namespace kdk::gui
