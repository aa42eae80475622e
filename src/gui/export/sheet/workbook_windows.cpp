#include "gui/export/sheet/workbook_windows.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "core/common/date_text.h"
#include "core/common/model_text.h"
#include "core/export/generation_stamp.h"
#include "core/export/sheet/save_workbook.h"
#include "core/export/sheet/workbook_names.h"
#include "core/shell/common_operations.h"
#include "engines/workbook/embedded_spreadsheet.h"
#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/mars/show_model_summary.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {
namespace {

constexpr const char* kNetworkInstructions =
    "To automatically organise existing data, run the macro 'PrepareDataForPredictions' which "
    "can be found under tools>>macros in the excel workbook created.\r\n\r\n"
    "The workbook can be edited or customised. All the code is contained in one code "
    "module.\r\n\r\n"
    "WARNING - if Microsoft Excel is not installed on this pc then this option won't work.";

QString Shown(const std::string& text) {
  return ToQString(text).replace("\r\n", "\n");
}

// The Save button's common part: the dialog, the label, the readiness check, then the
// build with the window's progress label and the busy pointer.
void SaveWorkbook(GuiContext& context, int model_type, QLabel* save_as, QLabel* progress,
                  const std::function<bool(const GenerationStamp&, const std::string&,
                                           WorkbookSaveContext&)>& save) {
  Workspace& workspace = context.workspace;
  const std::string path = ChooseSaveFile(workspace, context.ports, kWorkbookFileFilter);
  if (path.empty()) return;
  workspace.output_path = path;
  save_as->setText(PathToQString("Saving as " + path));
  if (!CheckReadyToSave(workspace, path, model_type, context.ports.messages)) return;

  const GenerationStamp stamp = MakeGenerationStamp(workspace.state, context.ports.clock);
  std::string caption = ToBytes(progress->text());
  WorkbookWindow window{[&caption] { return caption; },
                        [&caption, progress](const std::string& text) {
                          caption = text;
                          progress->setText(Shown(text));
                        },
                        [](bool busy) {
                          if (busy) {
                            QApplication::setOverrideCursor(Qt::WaitCursor);
                          } else {
                            QApplication::restoreOverrideCursor();
                          }
                          QApplication::processEvents();
                        }};
  workbook::EmbeddedSpreadsheet app;
  WorkbookSaveContext save_context{app, context.ports.messages, context.ports.shell, window,
                                   QDir::tempPath().toStdString()};
  save(stamp, path, save_context);
}

QVBoxLayout* SaveControls(QWidget* window, QPushButton*& save, QLabel*& save_as,
                          QLabel*& progress) {
  save = Named(new QPushButton("Save", window), "cmdSaveAs");
  save_as = Named(new QLabel("No Destination Selected", window), "lblSaveAs");
  progress = Named(new QLabel("Files Generated...", window), "lblProgress");
  save_as->setWordWrap(true);
  progress->setWordWrap(true);
  auto* layout = new QVBoxLayout;
  layout->addWidget(save);
  layout->addWidget(save_as);
  layout->addWidget(progress);
  save->setEnabled(false);
  return layout;
}

}  // namespace

NetworkWorkbookWindow::NetworkWorkbookWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmEXCEL");
  auto* instructions = Named(new QLabel(Shown(kNetworkInstructions), this), "lblInstructions");
  instructions->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(instructions);
  layout->addLayout(SaveControls(this, save_, save_as_, progress_));
  layout->addStretch(1);
  connect(save_, &QPushButton::clicked, this, [this] { Save(); });
}

void NetworkWorkbookWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "Kestrium >> Excel", 0);
  save_->setEnabled(context_.workspace.state.network_loaded);
}

void NetworkWorkbookWindow::Save() {
  SaveWorkbook(context_, kNetworkModelType, save_as_, progress_,
               [this](const GenerationStamp& stamp, const std::string& path,
                      WorkbookSaveContext& save_context) {
                 return SaveNetworkWorkbook(context_.workspace, stamp, path, save_context);
               });
}

MarsWorkbookWindow::MarsWorkbookWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmMARS2XL");
  auto* instructions =
      Named(new QLabel("Instructions - MARS >> Excel Spreadsheet", this), "lblInstructions");
  summary_ = Named(new QPlainTextEdit(this), "txtMARStextwindow");
  summary_->setReadOnly(true);
  summary_->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* controls = SaveControls(this, save_, save_as_, progress_);
  controls->insertWidget(0, instructions);
  controls->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(summary_, 2, Qt::AlignTop);
  layout->addStretch(1);
  connect(save_, &QPushButton::clicked, this, [this] { Save(); });
}

void MarsWorkbookWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "MARS >> Excel", 0);
  const bool loaded = context_.workspace.state.mars_loaded;
  if (loaded) ShowModelSummary(summary_, context_.workspace.mars);
  save_->setEnabled(loaded);
}

void MarsWorkbookWindow::Save() {
  SaveWorkbook(context_, kMarsModelType, save_as_, progress_,
               [this](const GenerationStamp& stamp, const std::string& path,
                      WorkbookSaveContext& save_context) {
                 return SaveMarsWorkbook(context_.workspace, stamp, path, save_context);
               });
}

}  // namespace kdk::gui
