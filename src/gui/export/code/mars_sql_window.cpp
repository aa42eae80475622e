#include "gui/export/code/mars_sql_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/export/code/mars_text_save.h"
#include "gui/mars/show_model_summary.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {
MarsSqlWindow::MarsSqlWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmMARS2tsql");
  auto* instructions = Named(new QLabel("Instructions - MARS >> SQL", this), "lblInstructions");

  dialect_frame_ = Named(new QGroupBox("Create SQL for...", this), "frameCreateSQLFor");
  access_ = Named(new QRadioButton("Access", dialect_frame_), "optAccess");
  sql_server_ = Named(new QRadioButton("SQL Server", dialect_frame_), "optSQLServer");
  sql_server_->setChecked(true);
  auto* dialect_layout = new QHBoxLayout(dialect_frame_);
  dialect_layout->addWidget(access_);
  dialect_layout->addWidget(sql_server_);

  field_name_ = Named(new QLineEdit("FieldName", this), "txtOutputFieldName");
  table_name_ = Named(new QLineEdit("TableName", this), "txtTableName");
  database_name_ = Named(new QLineEdit("DatabaseName", this), "txtDatabaseName");
  create_field_ = Named(new QCheckBox("Create New Output Field", this), "chkCreateNewOutputField");
  brackets_ = Named(new QCheckBox("[Bracket Field Names]", this), "chkIncludeSquareBrackets");
  header_ = Named(new QCheckBox("Include Model Information", this), "chkIncludeHeader");
  for (QCheckBox* box : {create_field_, brackets_, header_}) box->setChecked(true);

  summary_box_ = Named(new QPlainTextEdit(this), "txtModelSummary");
  sql_box_ = Named(new QPlainTextEdit(this), "txtSQL");
  for (QPlainTextEdit* box : {summary_box_, sql_box_}) {
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
  }
  save_ = Named(new QPushButton("Save", this), "cmdSaveAs");
  copy_ = Named(new QPushButton("Copy", this), "cmdCopy");
  save_as_ = Named(new QLabel("No Destination Selected", this), "lblSaveAs");
  progress_ = Named(new QLabel(this), "lblProgress");

  auto* names = new QFormLayout;
  names->addRow("Output Field Name", field_name_);
  names->addRow("Table Name", table_name_);
  names->addRow("Database Name", database_name_);
  auto* options = new QVBoxLayout;
  options->addWidget(instructions);
  options->addWidget(dialect_frame_);
  options->addLayout(names);
  for (QWidget* widget :
       {static_cast<QWidget*>(create_field_), static_cast<QWidget*>(brackets_),
        static_cast<QWidget*>(header_), static_cast<QWidget*>(save_), static_cast<QWidget*>(copy_),
        static_cast<QWidget*>(save_as_), static_cast<QWidget*>(progress_)}) {
    options->addWidget(widget);
  }
  options->addWidget(summary_box_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  // The main window sizes the box (FitOutputBox); space it leaves stays to the right
  // and below, so the box keeps its place.
  layout->addWidget(sql_box_, 2, Qt::AlignTop);
  layout->addStretch(1);

  auto dialect_clicked = [this] {
    ApplyDialectEnabling();
    Generate();
  };
  connect(access_, &QRadioButton::clicked, this, dialect_clicked);
  connect(sql_server_, &QRadioButton::clicked, this, dialect_clicked);
  for (QLineEdit* box : {field_name_, table_name_, database_name_}) {
    connect(box, &QLineEdit::textChanged, this, [this] { Generate(); });
  }
  for (QCheckBox* box : {create_field_, brackets_, header_}) {
    connect(box, &QCheckBox::toggled, this, [this] { Generate(); });
  }
  connect(save_, &QPushButton::clicked, this, [this] {
    SaveMarsText(context_, "_sql", "query file (*.sql)|*.sql|text file (*.txt)|*.txt", text_,
                 save_as_, progress_);
  });
  connect(copy_, &QPushButton::clicked, this, [this] { CopyMarsText(context_, text_); });
  SetControlsEnabled(false);
}

void MarsSqlWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "MARS >> SQL", 0);
  filled_ = false;
  SetControlsEnabled(false);
  if (!context_.workspace.state.mars_loaded) return;
  if (!CheckReservedFieldNames(context_.workspace.mars, context_.ports.messages)) {
    summary_box_->clear();
    sql_box_->clear();
    text_.clear();
    return;
  }
  ShowModelSummary(summary_box_, context_.workspace.mars);
  filled_ = true;
  SetControlsEnabled(true);
  ApplyDialectEnabling();
  Generate();
}

MarsSqlOptions MarsSqlWindow::Options() const {
  MarsSqlOptions options;
  options.dialect = access_->isChecked() ? SqlDialect::Access : SqlDialect::SqlServer;
  options.output_field = ToBytes(field_name_->text());
  options.table = ToBytes(table_name_->text());
  options.database = ToBytes(database_name_->text());
  options.create_output_field = create_field_->isChecked();
  options.bracket_field_names = brackets_->isChecked();
  // The header box counts only while enabled (SQL Server).
  options.include_header = header_->isChecked() && header_->isEnabled();
  return options;
}

void MarsSqlWindow::Generate() {
  if (!filled_) return;
  text_ = MarsSqlText(context_.workspace.mars, Options(), context_.ports.messages);
  sql_box_->setPlainText(ToQString(text_).replace("\r\n", "\n"));
  sql_box_->raise();
}

void MarsSqlWindow::ApplyDialectEnabling() {
  const bool server = sql_server_->isChecked();
  create_field_->setEnabled(server);
  database_name_->setEnabled(server);
  header_->setEnabled(server);
}

void MarsSqlWindow::SetControlsEnabled(bool enabled) {
  for (QWidget* widget :
       {static_cast<QWidget*>(copy_), static_cast<QWidget*>(save_), static_cast<QWidget*>(header_),
        static_cast<QWidget*>(dialect_frame_), static_cast<QWidget*>(create_field_),
        static_cast<QWidget*>(brackets_), static_cast<QWidget*>(field_name_),
        static_cast<QWidget*>(table_name_), static_cast<QWidget*>(database_name_)}) {
    widget->setEnabled(enabled);
  }
}

}  // namespace kdk::gui
