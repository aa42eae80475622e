#include "gui/export/vbproject/vb_project_windows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/export/generation_stamp.h"
#include "core/export/vbproject/vb_project.h"
#include "core/shell/common_operations.h"
#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/common/twips.h"
#include "gui/mars/show_model_summary.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {
namespace {

constexpr std::string_view kVbProjectFilter = "VB Project (*.vbp)|*.vbp";
constexpr int kDesignWidth = 8500;  // twips
constexpr int kDesignHeight = 7740;

constexpr const char* kNetworkInstructions =
    "Type the name of the visual basic project (.vbp) you want to create.\r\n"
    "In Windows Explorer, browse to the .vbp file just created\r\n"
    "Click on it\r\n"
    "VB will load up the project\r\n"
    "Away you go!\r\n"
    "\r\n"
    "The project can be developed from here, or the form (.frm) imported into another VB "
    "project. Everything required is contained in this one form.";

// The Save button of both windows: the save dialog, the shared output path, the
// readiness check, then the three files with the progress shown as they are written.
void SaveVbProject(GuiContext& context, int model_type, QLabel* save_as, QLabel* progress) {
  Workspace& workspace = context.workspace;
  const std::string path = ChooseSaveFile(workspace, context.ports, kVbProjectFilter);
  if (path.empty()) return;
  workspace.output_path = path;
  save_as->setText(PathToQString("Saving as " + path));
  if (!CheckReadyToSave(workspace, path, model_type, context.ports.messages)) return;
  GenerateVbProject(workspace, model_type,
                    MakeGenerationStamp(workspace.state, context.ports.clock),
                    context.ports.messages, [progress](const std::string& caption) {
                      progress->setText(PathToQString(caption).replace("\r\n", "\n"));
                    });
}

QVBoxLayout* SaveControls(QWidget* window, QLabel* instructions, QPushButton* save, QLabel* save_as,
                          QLabel* progress) {
  auto* column = new QVBoxLayout;
  instructions->setWordWrap(true);
  save_as->setWordWrap(true);
  for (QWidget* widget : {static_cast<QWidget*>(instructions), static_cast<QWidget*>(save),
                          static_cast<QWidget*>(save_as), static_cast<QWidget*>(progress)}) {
    column->addWidget(widget);
  }
  column->addStretch(1);
  window->resize(TwipsToPixels(kDesignWidth), TwipsToPixels(kDesignHeight));
  return column;
}

}  // namespace

NetworkVbWindow::NetworkVbWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmVB");
  auto* instructions =
      Named(new QLabel(QString::fromLatin1(kNetworkInstructions).replace("\r\n", "\n"), this),
            "lblInstructions");
  save_ = Named(new QPushButton("Save", this), "cmdSaveAs");
  save_as_ = Named(new QLabel("No Destination Selected", this), "lblSaveAs");
  progress_ = Named(new QLabel(this), "lblProgress");
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(SaveControls(this, instructions, save_, save_as_, progress_));
  save_->setEnabled(false);
  connect(save_, &QPushButton::clicked, this,
          [this] { SaveVbProject(context_, kNetworkModelType, save_as_, progress_); });
}

void NetworkVbWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "Kestrium >> Visual Basic 6 Project", 0);
  save_->setEnabled(context_.workspace.state.network_loaded);
}

MarsVbWindow::MarsVbWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("frmMARS2VB");
  auto* instructions =
      Named(new QLabel("Instructions - MARS >> Visual Basic Project", this), "lblInstructions");
  summary_ = Named(new QPlainTextEdit(this), "txtMARStextwindow");
  summary_->setReadOnly(true);
  summary_->setLineWrapMode(QPlainTextEdit::NoWrap);
  save_ = Named(new QPushButton("Save", this), "cmdSaveAs");
  save_as_ = Named(new QLabel("No Destination Selected", this), "lblSaveAs");
  progress_ = Named(new QLabel(this), "lblProgress");
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(SaveControls(this, instructions, save_, save_as_, progress_));
  // The main window sizes the box (FitOutputBox); space it leaves stays to the right.
  layout->addWidget(summary_, 2, Qt::AlignTop);
  layout->addStretch(1);
  save_->setEnabled(false);
  connect(save_, &QPushButton::clicked, this,
          [this] { SaveVbProject(context_, kMarsModelType, save_as_, progress_); });
}

void MarsVbWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "MARS >> Visual Basic 6 Project", 0);
  const bool loaded = context_.workspace.state.mars_loaded;
  if (loaded) ShowModelSummary(summary_, context_.workspace.mars);
  save_->setEnabled(loaded);
}

}  // namespace kdk::gui
