#include "gui/common/drawn_icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library: register them before the first look-up.
static void RegisterDrawnIcons() {
  Q_INIT_RESOURCE(kdk_gui_resources);
}

namespace kdk::gui {

QIcon DrawnIcon(const QString& name, int size_pixels) {
  static const bool registered = (RegisterDrawnIcons(), true);
  (void)registered;
  QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
  if (!renderer.isValid()) return QIcon();
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(size_pixels * scale, size_pixels * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(scale);
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace kdk::gui
