#include "gui/export/code/mars_spss_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/export/code/mars_text_save.h"
#include "gui/export/code/spss_file_run.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {
MarsSpssWindow::MarsSpssWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmMARS2SPSS");
  auto* instructions = Named(new QLabel("Instructions - MARS >> SPSS", this), "lblInstructions");
  output_name_ =
      Named(new QLineEdit(ToQString(options_.output_field_name), this), "txtOutputFieldName");
  header_ = Named(new QCheckBox("Include Model Information", this), "chkIncludeHeader");
  header_->setChecked(true);
  syntax_box_ = Named(new QPlainTextEdit(this), "txtSPSS");
  syntax_box_->setReadOnly(true);
  syntax_box_->setLineWrapMode(QPlainTextEdit::NoWrap);
  save_ = Named(new QPushButton("Save", this), "cmdSaveAs");
  copy_ = Named(new QPushButton("Copy", this), "cmdCopy");
  load_spss_file_ = Named(new QPushButton("Load SPSS File", this), "cmdLoadSPSSFile");
  load_spss_file_->setToolTip(" run the syntax on an SPSS file ");
  save_as_ = Named(new QLabel("No Destination Selected", this), "lblSaveAs");
  progress_ = Named(new QLabel(this), "lblProgress");

  auto* names = new QFormLayout;
  names->addRow("Output Field Name", output_name_);
  auto* options = new QVBoxLayout;
  options->addWidget(instructions);
  options->addLayout(names);
  for (QWidget* widget : {static_cast<QWidget*>(header_), static_cast<QWidget*>(save_),
                          static_cast<QWidget*>(copy_), static_cast<QWidget*>(load_spss_file_),
                          static_cast<QWidget*>(save_as_), static_cast<QWidget*>(progress_)}) {
    options->addWidget(widget);
  }
  options->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  // The main window sizes the box (FitOutputBox); space it leaves stays to the right
  // and below, so the box keeps its place.
  layout->addWidget(syntax_box_, 2, Qt::AlignTop);
  layout->addStretch(1);

  connect(output_name_, &QLineEdit::textChanged, this, [this](const QString& typed) {
    options_.output_field_name = StoredSpssOutputName(ToBytes(typed));
    Generate();
  });
  connect(header_, &QCheckBox::toggled, this, [this](bool ticked) {
    options_.include_header = ticked;
    Generate();
  });
  connect(save_, &QPushButton::clicked, this, [this] {
    if (!CheckOutputName()) return;
    SaveMarsText(context_, "_sps", "SPSS syntax file (*.sps)|*.sps|text file (*.txt)|*.txt", text_,
                 save_as_, progress_);
  });
  connect(copy_, &QPushButton::clicked, this, [this] {
    if (CheckOutputName()) CopyMarsText(context_, text_);
  });
  connect(load_spss_file_, &QPushButton::clicked, this, [this] {
    spss_data_file_ = RunSyntaxOnSpssFile(context_, MarsSpssInputs(context_.workspace.mars),
                                          filled_ ? text_ : std::string(), progress_);
  });
  SetControlsEnabled(false);
}

void MarsSpssWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "MARS >> SPSS", 0);
  filled_ = false;
  SetControlsEnabled(false);
  if (!context_.workspace.state.mars_loaded) return;
  filled_ = true;
  SetControlsEnabled(true);
  Generate();
}

bool MarsSpssWindow::CheckOutputName() {
  if (!SpssOutputVariable(options_.output_field_name).empty()) return true;
  context_.ports.messages.Inform("Invalid Output Name!");
  output_name_->setFocus();
  return false;
}

void MarsSpssWindow::Generate() {
  if (!filled_) return;
  text_ = MarsSpssText(context_.workspace.mars, options_, context_.ports.messages);
  syntax_box_->setPlainText(ToQString(text_).replace("\r\n", "\n"));
  syntax_box_->raise();
}

void MarsSpssWindow::SetControlsEnabled(bool enabled) {
  for (QWidget* widget :
       {static_cast<QWidget*>(copy_), static_cast<QWidget*>(save_), static_cast<QWidget*>(header_),
        static_cast<QWidget*>(output_name_), static_cast<QWidget*>(load_spss_file_)}) {
    widget->setEnabled(enabled);
  }
}

}  // namespace kdk::gui
