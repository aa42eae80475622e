#pragma once

#include <QIcon>
#include <QString>

namespace kdk::gui {

// One of our own pictures from the program's resources, e.g. "workbook"; rendered
// from its SVG so no image plugin is needed. A null icon when there is none.
QIcon DrawnIcon(const QString& name, int size_pixels = 32);

}  // namespace kdk::gui
