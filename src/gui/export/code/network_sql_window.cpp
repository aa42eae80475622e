#include "gui/export/code/network_sql_window.h"

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

#include "core/model_state.h"
#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/export/code/mars_text_save.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

NetworkSqlWindow::NetworkSqlWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmNet2SQL");
  auto* instructions = Named(new QLabel("Instructions - Kestrium >> SQL", this), "lblInstructions");

  dialect_frame_ = Named(new QGroupBox("Create SQL for...", this), "frameCreateSQLFor");
  access_ = Named(new QRadioButton("Access", dialect_frame_), "optAccess");
  sql_server_ = Named(new QRadioButton("SQL Server", dialect_frame_), "optSQLServer");
  ansi_ = Named(new QRadioButton("ANSI (SQLite, PostgreSQL, DuckDB, Spark, Trino)", dialect_frame_),
                "optANSI");
  sql_server_->setChecked(true);
  auto* dialect_layout = new QVBoxLayout(dialect_frame_);
  for (QRadioButton* button : {access_, sql_server_, ansi_}) dialect_layout->addWidget(button);

  form_frame_ = Named(new QGroupBox("Query", this), "frameQuery");
  update_ = Named(new QRadioButton("UPDATE the table", form_frame_), "optUpdate");
  select_ =
      Named(new QRadioButton("SELECT the inputs and the prediction", form_frame_), "optSelect");
  update_->setChecked(true);
  auto* form_layout = new QVBoxLayout(form_frame_);
  form_layout->addWidget(update_);
  form_layout->addWidget(select_);

  field_name_ = Named(new QLineEdit(this), "txtOutputFieldName");
  table_name_ = Named(new QLineEdit("TableName", this), "txtTableName");
  database_name_ = Named(new QLineEdit("DatabaseName", this), "txtDatabaseName");
  header_ = Named(new QCheckBox("Include Model Information", this), "chkIncludeHeader");
  header_->setChecked(true);

  sql_box_ = Named(new QPlainTextEdit(this), "txtSQL");
  sql_box_->setReadOnly(true);
  sql_box_->setLineWrapMode(QPlainTextEdit::NoWrap);
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
  options->addWidget(form_frame_);
  options->addLayout(names);
  for (QWidget* widget :
       {static_cast<QWidget*>(header_), static_cast<QWidget*>(save_), static_cast<QWidget*>(copy_),
        static_cast<QWidget*>(save_as_), static_cast<QWidget*>(progress_)}) {
    options->addWidget(widget);
  }
  options->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addWidget(sql_box_, 2, Qt::AlignTop);
  layout->addStretch(1);

  for (QRadioButton* button : {access_, sql_server_, ansi_, update_, select_}) {
    connect(button, &QRadioButton::clicked, this, [this] { Generate(); });
  }
  for (QLineEdit* box : {field_name_, table_name_, database_name_}) {
    connect(box, &QLineEdit::textChanged, this, [this] { Generate(); });
  }
  connect(header_, &QCheckBox::toggled, this, [this] { Generate(); });
  connect(save_, &QPushButton::clicked, this, [this] {
    SaveMarsText(context_, "_sql", "query file (*.sql)|*.sql|text file (*.txt)|*.txt", text_,
                 save_as_, progress_, kNetworkModelType);
  });
  connect(copy_, &QPushButton::clicked, this, [this] { CopyMarsText(context_, text_); });
  SetControlsEnabled(false);
}

void NetworkSqlWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "Kestrium >> SQL", 0);
  filled_ = false;
  SetControlsEnabled(false);
  sql_box_->clear();
  text_.clear();
  if (!context_.workspace.state.network_loaded) return;
  field_name_->setText(ToQString(DefaultNetworkSqlField(context_.workspace.network)));
  filled_ = true;
  SetControlsEnabled(true);
  Generate();
}

NetworkSqlOptions NetworkSqlWindow::Options() const {
  NetworkSqlOptions options;
  options.dialect = access_->isChecked() ? SqlDialect::Access
                    : ansi_->isChecked() ? SqlDialect::Ansi
                                         : SqlDialect::SqlServer;
  options.select = select_->isChecked();
  options.output_field = ToBytes(field_name_->text());
  options.table = ToBytes(table_name_->text());
  options.database = ToBytes(database_name_->text());
  options.include_header = header_->isChecked();
  return options;
}

void NetworkSqlWindow::Generate() {
  if (!filled_) return;
  const NetworkSqlOptions options = Options();
  // Access reads no comments and SQL Server alone has a USE line.
  header_->setEnabled(options.dialect != SqlDialect::Access);
  database_name_->setEnabled(options.dialect == SqlDialect::SqlServer);
  text_ = NetworkSqlText(context_.workspace.network, options, context_.ports.messages);
  sql_box_->setPlainText(ToQString(text_).replace("\r\n", "\n"));
}

void NetworkSqlWindow::SetControlsEnabled(bool enabled) {
  for (QWidget* widget :
       {static_cast<QWidget*>(copy_), static_cast<QWidget*>(save_), static_cast<QWidget*>(header_),
        static_cast<QWidget*>(dialect_frame_), static_cast<QWidget*>(form_frame_),
        static_cast<QWidget*>(field_name_), static_cast<QWidget*>(table_name_),
        static_cast<QWidget*>(database_name_)}) {
    widget->setEnabled(enabled);
  }
}

}  // namespace kdk::gui
