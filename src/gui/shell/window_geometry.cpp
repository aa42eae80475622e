#include "gui/shell/window_geometry.h"

#include <QWidget>
#include <algorithm>

#include "gui/common/twips.h"

namespace kdk::gui {

QSize OutputBoxSize(int available_width, int available_height, int window_width, int window_height,
                    int box_left, int box_top) {
  const int width = std::max(kOutputBoxMinWidth, std::min(available_width - box_left - 500,
                                                          window_width - box_left - 500));
  const int height = std::max(kOutputBoxMinHeight, std::min(available_height - box_top - 1000,
                                                            window_height - box_top - 1000));
  return QSize(width, height);
}

int GridHeight(int available_height, int window_height, int grid_top) {
  return std::max(kGridMinHeight,
                  std::min(available_height - grid_top - 900, window_height - grid_top - 900));
}

void FitOutputBox(QWidget* window, int available_width, int available_height, QWidget* box) {
  if (window == nullptr || box == nullptr) return;
  const QPoint offset = box->mapTo(window, QPoint(0, 0));
  const QSize size = OutputBoxSize(available_width, available_height,
                                   PixelsToTwips(window->width()), PixelsToTwips(window->height()),
                                   PixelsToTwips(offset.x()), PixelsToTwips(offset.y()));
  // A fixed size holds whether or not a layout manages the box: a plain resize would
  // be undone by the window's layout at its next pass.
  box->setFixedSize(TwipsToPixels(size.width()), TwipsToPixels(size.height()));
}

}  // namespace kdk::gui
