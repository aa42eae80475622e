#include "gui/shell/placeholder_window.h"

#include "gui/common/twips.h"

namespace kdk::gui {

PlaceholderWindow::PlaceholderWindow(GuiContext& context, const QString& name,
                                     const QString& caption, int width_twips, QWidget* parent)
    : QWidget(parent), context_(context), caption_(caption), width_twips_(width_twips) {
  setObjectName(name);
  setWindowTitle(caption);
  resize(TwipsToPixels(kDesignWidth), TwipsToPixels(kDesignHeight));
}

void PlaceholderWindow::Activate() {
  if (width_twips_ < 0) {
    context_.host.ShowAtTopLeft(this, caption_);
  } else {
    context_.host.PlaceConverterWindow(this, caption_, width_twips_);
  }
}

}  // namespace kdk::gui
