#include "gui/export/web/web_page_windows.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/export/generation_stamp.h"
#include "core/export/web/generate_page.h"
#include "core/shell/common_operations.h"
#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/common/twips.h"
#include "gui/export/web/page_style_panel.h"
#include "gui/mars/show_model_summary.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

WebPageWindow::WebPageWindow(GuiContext& context, std::shared_ptr<PageStyle> style,
                             const char* name, int model_type, QWidget* parent)
    : QWidget(parent), context_(context), model_type_(model_type) {
  setObjectName(name);
  setWindowTitle(model_type == kNetworkModelType ? "Kestrium >> Web Page" : "MARS >> Web Page");
  // The size the program's other converter windows have (8500 x 7740 twips).
  resize(TwipsToPixels(8500), TwipsToPixels(7740));
  panel_ = new PageStylePanel(std::move(style), context.ports.colours, this);
  extra_ = new QWidget(this);
  save_ = Named(new QPushButton("Save", this), "cmdSaveAs");
  save_as_ = Named(new QLabel("No Destination Selected", this), "lblSaveAs");
  progress_ = Named(new QLabel("Files Generated...", this), "lblProgress");
  save_as_->setWordWrap(true);
  progress_->setWordWrap(true);

  auto* side_widget = new QWidget(this);
  side_widget->setFixedWidth(TwipsToPixels(2600));
  auto* side = new QVBoxLayout(side_widget);
  side->setContentsMargins(0, 0, 0, 0);
  side->addWidget(extra_);
  side->addWidget(save_);
  side->addWidget(save_as_);
  side->addWidget(progress_);
  side->addStretch(1);
  // Laid out from the top left at a fixed width: the main window may make the MARS
  // window larger than its controls.
  panel_->setFixedWidth(TwipsToPixels(5600));
  auto* row = new QHBoxLayout;
  row->addWidget(panel_, 0, Qt::AlignTop);
  row->addWidget(side_widget, 0, Qt::AlignTop);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addStretch(1);
  connect(save_, &QPushButton::clicked, this, &WebPageWindow::Save);
  EnableSave(false);
}

void WebPageWindow::EnableSave(bool enabled) {
  save_->setEnabled(enabled);
}

void WebPageWindow::ShowProgress(const std::string& caption) {
  progress_->setText(PathToQString(caption).replace("\r\n", "\n"));
}

void WebPageWindow::Save() {
  Workspace& workspace = context_.workspace;
  const std::string path = ChooseSaveFile(workspace, context_.ports, kWebPageFilter);
  if (path.empty()) return;
  save_path_ = path;
  workspace.output_path = path;
  save_as_->setText(PathToQString("Saving as " + path));
  if (!CheckReadyToSave(workspace, path, model_type_, context_.ports.messages)) return;
  Generate(panel_->FillStyle(), path);
}

NetworkPageWindow::NetworkPageWindow(GuiContext& context, std::shared_ptr<PageStyle> style,
                                     QWidget* parent)
    : WebPageWindow(context, std::move(style), "frmHTML", kNetworkModelType, parent) {}

GenerationStamp WebPageWindow::Stamp() const {
  return MakeGenerationStamp(context_.workspace.state, context_.ports.clock);
}

void NetworkPageWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "Kestrium >> Web Page", 0);
  EnableSave(context_.workspace.state.network_loaded);
}

void NetworkPageWindow::Generate(const PageStyle& style, const std::string& path) {
  GenerateNetworkPage(context_.workspace, context_.ports, style, Stamp(), path,
                      [this](const std::string& caption) { ShowProgress(caption); });
}

MarsPageWindow::MarsPageWindow(GuiContext& context, std::shared_ptr<PageStyle> style,
                               QWidget* parent)
    : WebPageWindow(context, std::move(style), "frmMARS2HTML", kMarsModelType, parent) {
  allow_missing_ = Named(new QCheckBox("Allow missing values", extra_), "chkAllowMissing");
  summary_ = Named(new QPlainTextEdit(extra_), "txtMARStextwindow");
  summary_->setReadOnly(true);
  summary_->setFixedHeight(TwipsToPixels(3000));
  auto* layout = new QVBoxLayout(extra_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(summary_);
  layout->addWidget(allow_missing_);
}

void MarsPageWindow::Activate() {
  context_.host.PlaceConverterWindow(this, "MARS >> Web Page", 0);
  const bool loaded = context_.workspace.state.mars_loaded;
  if (loaded) ShowModelSummary(summary_, context_.workspace.mars);
  EnableSave(loaded);
}

void MarsPageWindow::Generate(const PageStyle& style, const std::string& path) {
  GenerateMarsPage(context_.workspace, context_.ports, style, Stamp(), allow_missing_->isChecked(),
                   path, [this](const std::string& caption) { ShowProgress(caption); });
}

}  // namespace kdk::gui
