#include "gui/export/vbproject/equation_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/vb_project.h"
#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"
#include "gui/common/twips.h"
#include "gui/network/load_network_gui.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {
namespace {

constexpr int kDesignWidth = 8500;  // twips
constexpr int kDesignHeight = 7740;

}  // namespace

EquationWindow::EquationWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context), text_(kEquationGreeting) {
  setObjectName("frmEquation");
  auto* copy = Named(new QPushButton("Copy to Clipboard", this), "cmdCopy");
  auto* get_weights = Named(new QPushButton("Select Model", this), "cmdGetWeights");
  auto* file_name = Named(new QLabel("No Model Selected", this), "lblFileName");
  equation_ = Named(new QPlainTextEdit(this), "txtEquation");
  equation_->setReadOnly(true);
  equation_->setLineWrapMode(QPlainTextEdit::NoWrap);
  equation_->setPlainText(ToQString(text_).replace("\r\n", "\n"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(get_weights);
  buttons->addWidget(file_name, 1);
  buttons->addWidget(copy);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(equation_, 1);
  resize(TwipsToPixels(kDesignWidth), TwipsToPixels(kDesignHeight));

  connect(get_weights, &QPushButton::clicked, this, [this] { SelectModel(); });
  connect(copy, &QPushButton::clicked, this, [this] {
    context_.ports.clipboard.Clear();
    context_.ports.clipboard.SetText(text_);
  });
}

void EquationWindow::Activate() {
  context_.host.ShowAtTopLeft(this, "Code");
}

void EquationWindow::SelectModel() {
  LoadNetworkModel(context_);
  // Cancelling rebuilds from the network already loaded; with none ever loaded the
  // greeting stays.
  if (!context_.workspace.state.network_loaded) return;
  text_ = BuildEquationText(context_.workspace.network,
                            MakeGenerationStamp(context_.workspace.state, context_.ports.clock));
  equation_->setPlainText(ToQString(text_).replace("\r\n", "\n"));
}

}  // namespace kdk::gui
