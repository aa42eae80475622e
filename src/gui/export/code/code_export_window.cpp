#include "gui/export/code/code_export_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/program_names.h"
#include "core/export/code/smart_names.h"
#include "core/export/generation_stamp.h"
#include "core/mars/generated_file.h"
#include "core/shell/common_operations.h"
#include "gui/common/latin1_text.h"
#include "gui/export/code/spss_file_run.h"

namespace kdk::gui {

namespace {

constexpr int kWindowWidthTwips = 12000;

QString Latin1(std::string_view text) {
  return ToQString(text);
}

std::string Bytes(const QString& text) {
  return ToBytes(text);
}

QCheckBox* TickBox(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setChecked(true);
  return box;
}

QLineEdit* TextBox(QWidget* parent, const char* name, const QString& text = QString()) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tip = QString()) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  if (!tip.isEmpty()) button->setToolTip(tip);
  return button;
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  return frame;
}

}  // namespace

CodeExportWindow::CodeExportWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("CodeExportWindow");
  settings_.suppress_regenerate = true;
  BuildControls();
  ConnectEvents();
  settings_.suppress_regenerate = false;
}

void CodeExportWindow::BuildControls() {
  auto* options = new QVBoxLayout;

  auto* names = new QFormLayout;
  code_type_ = new QComboBox(this);
  code_type_->setObjectName("cmbCodeType");
  for (const CodeTypeProfile& row : CodeTypeTable()) code_type_->addItem(Latin1(row.list_name));
  code_type_->setCurrentIndex(0);
  names->addRow("Code Format", code_type_);
  field_name_ = TextBox(this, "txtFieldName");
  reset_name_ =
      Button(this, "cmdResetFieldName", "Reset", "  Reset the name to the original name  ");
  auto* output_row = new QHBoxLayout;
  output_row->addWidget(field_name_);
  output_row->addWidget(reset_name_);
  names->addRow("Output Variable Name", output_row);
  root_name_ = TextBox(this, "txtRootName");
  names->addRow("Variable Root Name", root_name_);
  options->addLayout(names);
  smart_names_ = TickBox(this, "chkSmartFieldNames", "Smart Variable Names");
  smart_names_->setToolTip(
      "Allow only alphabetic, numeric or the underscore characters in field names");
  options->addWidget(smart_names_);

  comments_frame_ = Frame(this, "frameComments", "Comments");
  auto* comments = new QVBoxLayout(comments_frame_);
  include_description_ = TickBox(comments_frame_, "chkIncludeDescription", "Model Description");
  include_header_ = TickBox(comments_frame_, "chkIncludeHeader", "Model Info");
  include_limits_ = TickBox(comments_frame_, "chkIncludeLimits", "Data Limits");
  include_tanh_ = TickBox(comments_frame_, "chkIncludeTANH", "Tanh definition");
  for (QCheckBox* box : {include_description_, include_header_, include_limits_, include_tanh_}) {
    comments->addWidget(box);
  }
  options->addWidget(comments_frame_);

  format_frame_ = Frame(this, "frameEquationFormat", "Equation Format");
  auto* formats = new QVBoxLayout(format_frame_);
  const char* captions[4] = {"B - components 1", "A - long", "C - components 2",
                             "D - components 3"};
  for (int index = 0; index < 4; ++index) {
    formats_[index] = new QRadioButton(captions[index], format_frame_);
    formats_[index]->setObjectName(QString("optFormat_%1").arg(index));
  }
  // Shown in alphabetical order; each button's index is its layout number.
  for (int index : {kFormatA, kFormatB, kFormatC, kFormatD}) formats->addWidget(formats_[index]);
  formats_[kFormatA]->setChecked(true);
  options->addWidget(format_frame_);

  equation_frame_ = Frame(this, "frameEquationOptions", "Equation Options");
  auto* equation = new QFormLayout(equation_frame_);
  const char* box_names[7] = {"txtCommentLine",           "txtCommentBlockStart",
                              "txtCommentBlockEnd",       "txtLineTermination",
                              "txtLineContinuation",      "txtPreVariableDefinition",
                              "txtPostVariableDefinition"};
  const char* box_captions[7] = {
      "Comment Line",      "Comment Block Start",     "Comment Block End",       "Line Termination",
      "Line Continuation", "Pre Variable Definition", "Post Variable Definition"};
  for (int index = 0; index < 7; ++index) {
    equation_boxes_[index] = TextBox(equation_frame_, box_names[index]);
    equation->addRow(box_captions[index], equation_boxes_[index]);
  }
  tanh_call_ = new QRadioButton("Tanh", equation_frame_);
  tanh_call_->setObjectName("optTanH_1");
  tanh_call_->setChecked(true);
  tanh_exp_ = new QRadioButton("Exp", equation_frame_);
  tanh_exp_->setObjectName("optTanH_0");
  auto* tanh_row = new QHBoxLayout;
  tanh_row->addWidget(tanh_call_);
  tanh_row->addWidget(tanh_exp_);
  equation->addRow(tanh_row);
  options->addWidget(equation_frame_);

  sas_frame_ = Frame(this, "frameSASOptions", "SAS Options");
  auto* sas = new QFormLayout(sas_frame_);
  sas_var_list_ = TickBox(sas_frame_, "chkSASIncludeVarList", "Include Variable List");
  append_to_source_ =
      TickBox(sas_frame_, "chkAppendToSource", "Append Output to SAS Source Data Set");
  sas_source_ = TextBox(sas_frame_, "txtSASSourceData");
  sas_new_ = TextBox(sas_frame_, "txtSASNewData");
  sas->addRow(sas_var_list_);
  sas->addRow(append_to_source_);
  sas->addRow("SAS Source Data Set", sas_source_);
  sas->addRow("SAS New Data Set", sas_new_);
  options->addWidget(sas_frame_);

  spss_frame_ = Frame(this, "frameSPSSOptions", "SPSS Options");
  auto* spss = new QVBoxLayout(spss_frame_);
  spss_remove_fields_ = TickBox(spss_frame_, "chkSPSSRemoveFields", "Remove unrequired fields");
  spss_8char_warning_ = TickBox(spss_frame_, "chkSPSS8charWarning", "8 character warning");
  spss_var_list_ = TickBox(spss_frame_, "chkSPSSIncludeVarList", "Include Variable List");
  for (QCheckBox* box : {spss_remove_fields_, spss_8char_warning_, spss_var_list_}) {
    spss->addWidget(box);
  }
  options->addWidget(spss_frame_);

  java_frame_ = Frame(this, "frameJavaOptions", "Java Options");
  auto* java = new QFormLayout(java_frame_);
  java_class_ = TextBox(java_frame_, "txtJavaClass", "Kestrium");
  java->addRow("Java Class Name", java_class_);
  options->addWidget(java_frame_);

  fortran_frame_ = Frame(this, "frameFortranOptions", "Fortran Options");
  auto* fortran = new QFormLayout(fortran_frame_);
  fortran_program_ = TextBox(fortran_frame_, "txtFortranProgram", "Kestrium");
  fortran->addRow("Fortran Program  Name", fortran_program_);
  options->addWidget(fortran_frame_);

  vb_frame_ = Frame(this, "frameVBOptions", "VB Options");
  vb_frame_->hide();
  options->addWidget(vb_frame_);

  save_ = Button(this, "cmdSaveAs", "Save");
  copy_ = Button(this, "cmdCopy", "Copy");
  load_spss_file_ =
      Button(this, "cmdLoadSPSSfile", "Run on SPSS file", " run the syntax on an SPSS file ");
  sas_home_ = Button(this, "cmdSASHomePage", "  Goto SAS homepage  ");
  spss_home_ = Button(this, "cmdSPSSHomePage", "  Goto SPSS homepage  ");
  for (QPushButton* button : {save_, copy_, load_spss_file_, sas_home_, spss_home_}) {
    options->addWidget(button);
  }
  save_as_label_ = new QLabel("No Destination Selected", this);
  save_as_label_->setObjectName("lblSaveAs");
  progress_label_ = new QLabel("Files Generated...", this);
  progress_label_->setObjectName("lblProgress");
  options->addWidget(save_as_label_);
  options->addWidget(progress_label_);
  options->addStretch();

  code_window_ = new QPlainTextEdit(this);
  code_window_->setObjectName("txtCodeWindow");
  code_window_->setLineWrapMode(QPlainTextEdit::NoWrap);
  code_window_->setFont(QFont("Monospace"));

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  // The main window sizes the box (FitOutputBox); space it leaves stays to the right
  // and below, so the box keeps its place.
  layout->addWidget(code_window_, 1, Qt::AlignTop);
  layout->addStretch(1);
}

void CodeExportWindow::SetRegenerating(QCheckBox* box) {
  connect(box, &QCheckBox::toggled, this, [this] {
    if (!settings_.suppress_regenerate) GenerateCode();
  });
}

void CodeExportWindow::ConnectEvents() {
  connect(code_type_, &QComboBox::currentIndexChanged, this, [this] { ApplyCodeType(true); });
  for (QCheckBox* box :
       {smart_names_, include_description_, include_header_, include_limits_, include_tanh_,
        sas_var_list_, spss_remove_fields_, spss_8char_warning_, spss_var_list_}) {
    SetRegenerating(box);
  }
  for (int index = 0; index < 4; ++index) {
    connect(formats_[index], &QRadioButton::toggled, this, [this, index](bool on) {
      if (!on) return;
      settings_.equation_format = index;
      if (!settings_.suppress_regenerate) GenerateCode();
    });
  }
  connect(root_name_, &QLineEdit::textChanged, this, [this](const QString& text) {
    settings_.root_name = Bytes(text);
    if (!settings_.suppress_regenerate) GenerateCode();
  });
  connect(field_name_, &QLineEdit::textChanged, this, [this](const QString& text) {
    settings_.output_field_name = Bytes(text);
    if (!settings_.suppress_regenerate) GenerateCode();
  });
  connect(sas_new_, &QLineEdit::textChanged, this, [this](const QString& text) {
    settings_.sas_new_data = TrimBlanks(Bytes(text));
    if (!settings_.suppress_regenerate) GenerateCode();
  });
  connect(sas_source_, &QLineEdit::textChanged, this, [this](const QString& text) {
    settings_.sas_source_data = TrimBlanks(Bytes(text));
    if (settings_.append_to_source) sas_new_->setText(text);
    if (!settings_.suppress_regenerate) GenerateCode();
  });
  connect(append_to_source_, &QCheckBox::clicked, this, [this](bool ticked) {
    settings_.append_to_source = ticked;
    if (ticked) sas_new_->setText(sas_source_->text());
    sas_new_->setEnabled(!ticked);
  });
  SetRegenerating(append_to_source_);
  for (QLineEdit* box : equation_boxes_) {
    connect(box, &QLineEdit::textChanged, this, [this] { ApplyCodeType(false); });
  }
  connect(tanh_call_, &QRadioButton::toggled, this, [this](bool on) {
    settings_.equation_tanh_mode = on ? kTanhCall : kTanhExponential;
    ApplyCodeType(false);
  });
  for (QLineEdit* box : {java_class_, fortran_program_}) {
    connect(box, &QLineEdit::textChanged, this, [this] {
      if (!settings_.suppress_regenerate) ApplyCodeType(false);
    });
  }
  connect(reset_name_, &QPushButton::clicked, this, [this] { ResetNamesInBoxes(); });
  connect(save_, &QPushButton::clicked, this, [this] { SaveAs(); });
  connect(copy_, &QPushButton::clicked, this, [this] { Copy(); });
  connect(sas_home_, &QPushButton::clicked, this,
          [this] { OpenDocument(context_.ports.shell, kSasHomePage); });
  connect(spss_home_, &QPushButton::clicked, this,
          [this] { OpenDocument(context_.ports.shell, kSpssHomePage); });
  connect(load_spss_file_, &QPushButton::clicked, this, [this] {
    const std::vector<SpssInput> inputs = NetworkSpssInputs(settings_, context_.workspace.network);
    const std::string text = context_.workspace.state.network_loaded
                                 ? Bytes(code_window_->toPlainText().replace('\n', "\r\n"))
                                 : std::string();
    settings_.spss_data_file = RunSyntaxOnSpssFile(context_, inputs, text, progress_label_);
  });
}

void CodeExportWindow::ResetNamesInBoxes() {
  ResetNames(settings_, context_.workspace.network);
  const std::string output = settings_.output_field_name;
  const std::string root = settings_.root_name;
  field_name_->setText(Latin1(output));
  root_name_->setText(Latin1(root));
}

bool CodeExportWindow::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) WatchFrameActivation();
  return QWidget::event(event);
}

// The user's return to the window (a click on it, the window menu) activates its
// frame. The main window's own showing of the window activates the frame and then
// calls Activate itself: the frame's activation then waits for that call and is
// dropped when it came.
void CodeExportWindow::WatchFrameActivation() {
  auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (frame == nullptr || frame == watched_frame_) return;
  watched_frame_ = frame;
  connect(frame, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates old_state, Qt::WindowStates new_state) {
            if (!new_state.testFlag(Qt::WindowActive) || old_state.testFlag(Qt::WindowActive)) {
              return;
            }
            const int seen = activations_;
            QTimer::singleShot(0, this, [this, seen] {
              if (activations_ == seen && isVisible()) Activate();
            });
          });
}

void CodeExportWindow::Activate() {
  ++activations_;
  context_.host.PlaceConverterWindow(this, "Kestruim >> SAS/Equation", kWindowWidthTwips);
  // One regeneration at the end rather than one per reset box.
  settings_.suppress_regenerate = true;
  ResetNamesInBoxes();
  sas_source_->setText("source_data");
  sas_new_->setText("new_data");
  settings_.sas_source_data = "source_data";
  settings_.sas_new_data = "new_data";
  SelectFormat(kFormatA);
  tanh_call_->setChecked(true);
  settings_.equation_tanh_mode = kTanhCall;
  settings_.suppress_regenerate = false;
  ApplyCodeType(true);
  copy_->setEnabled(true);
  save_->setEnabled(true);
  field_name_->setEnabled(true);
}

void CodeExportWindow::SelectFormat(int format) {
  formats_[format]->setChecked(true);
  settings_.equation_format = format;
}

void CodeExportWindow::ApplyCodeType(bool from_selection) {
  if (from_selection) {
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             sas_frame_, equation_frame_, vb_frame_, java_frame_, fortran_frame_, spss_frame_,
             load_spss_file_, spss_home_, sas_home_}) {
      hidden->hide();
    }
    formats_[kFormatB]->setEnabled(true);
    formats_[kFormatA]->setEnabled(true);
    settings_.code_type = static_cast<CodeType>(code_type_->currentIndex());
  }
  ReadControls();
  const bool suppress = settings_.suppress_regenerate;
  settings_.suppress_regenerate = true;
  SelectFormat(LayoutFor(settings_.code_type, settings_.equation_format));
  settings_.suppress_regenerate = suppress;
  switch (settings_.code_type) {
    case CodeType::Equation:
      equation_frame_->show();
      break;
    case CodeType::Sas:
      sas_frame_->show();
      sas_home_->show();
      break;
    case CodeType::F90:
      fortran_frame_->show();
      break;
    case CodeType::Java:
      java_frame_->show();
      break;
    case CodeType::Spss:
      spss_frame_->show();
      load_spss_file_->show();
      spss_home_->show();
      formats_[kFormatA]->setEnabled(false);
      formats_[kFormatB]->setEnabled(false);
      break;
    default:
      break;
  }
  if (!settings_.suppress_regenerate) GenerateCode();
}

void CodeExportWindow::ReadControls() {
  CodeExportControls& controls = settings_.controls;
  controls.smart_field_names = smart_names_->isChecked();
  controls.include_description = include_description_->isChecked();
  controls.include_header = include_header_->isChecked();
  controls.include_limits = include_limits_->isChecked();
  controls.include_tanh = include_tanh_->isChecked();
  controls.sas_include_var_list = sas_var_list_->isChecked();
  controls.spss_remove_fields = spss_remove_fields_->isChecked();
  controls.spss_8char_warning = spss_8char_warning_->isChecked();
  controls.spss_include_var_list = spss_var_list_->isChecked();
  EquationSyntaxBoxes& boxes = controls.equation;
  std::string* fields[7] = {&boxes.comment_line,
                            &boxes.comment_block_start,
                            &boxes.comment_block_end,
                            &boxes.line_termination,
                            &boxes.line_continuation,
                            &boxes.pre_variable_definition,
                            &boxes.post_variable_definition};
  for (int index = 0; index < 7; ++index) *fields[index] = Bytes(equation_boxes_[index]->text());
  controls.java_class = Bytes(java_class_->text());
  controls.fortran_program = Bytes(fortran_program_->text());
}

void CodeExportWindow::GenerateCode() {
  ReadControls();
  if (!context_.workspace.state.network_loaded) {
    code_window_->clear();
    return;
  }
  const std::string text = kdk::GenerateCode(
      settings_, context_.workspace.network,
      MakeGenerationStamp(context_.workspace.state, context_.ports.clock), context_.ports.messages);
  // The box shows lines; Save and Copy write them back with CR LF.
  code_window_->setPlainText(Latin1(ReplaceAll(text, kCrLf, "\n")));
}

void CodeExportWindow::SaveAs() {
  if (!CheckOutputName(settings_, context_.ports.messages)) {
    field_name_->setFocus();
    return;
  }
  Workspace& workspace = context_.workspace;
  // The dialog proposes the code's own name. Java's is the class name as written
  // (smart-named, renamed when Java refuses it): javac takes a public class only from
  // a file of its name.
  const CodeTypeProfile& profile = ProfileOf(settings_.code_type);
  std::string proposed = workspace.state.model_name + "_" + CodeNameFor(settings_);
  if (profile.program_name_apart) proposed = NameProgram(settings_, workspace.network).program;
  const std::string filter = std::string(kTextFileFilter).append(profile.file_filter);
  const std::string path = ChooseSaveFile(workspace, context_.ports, filter, proposed);
  if (path.empty()) return;
  workspace.output_path = path;
  save_as_label_->setText("Saving as " + Latin1(path));
  if (!CheckReadyToSave(workspace, path, kNetworkModelType, context_.ports.messages)) return;
  WriteGeneratedFile(
      path, Bytes(code_window_->toPlainText().replace('\n', "\r\n")),
      [this](const std::string& label) {
        progress_label_->setText(Latin1(ReplaceAll(label, kCrLf, "\n")));
      },
      context_.ports.messages, workspace.state.model_path);
}

void CodeExportWindow::Copy() {
  if (!CheckOutputName(settings_, context_.ports.messages)) {
    field_name_->setFocus();
    return;
  }
  context_.ports.clipboard.Clear();
  context_.ports.clipboard.SetText(Bytes(code_window_->toPlainText().replace('\n', "\r\n")));
}

}  // namespace kdk::gui
