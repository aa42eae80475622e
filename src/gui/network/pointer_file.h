#pragma once

#include <QCursor>
#include <QString>
#include <optional>

namespace kdk::gui {

// A mouse pointer from a .cur file, with the hot spot the file gives; nullopt when
// the file is missing or is no pointer image.
std::optional<QCursor> LoadPointerFile(const QString& path);

}  // namespace kdk::gui
