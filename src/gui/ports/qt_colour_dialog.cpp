#include "gui/ports/qt_colour_dialog.h"

#include <QColorDialog>

namespace kdk::gui {

std::optional<std::uint32_t> QtColourDialog::ChooseColour(std::uint32_t initial) {
  const QColor chosen =
      QColorDialog::getColor(QColor::fromRgb(initial & 0xFFFFFFu), parent_.data());
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(chosen.rgb() & 0xFFFFFFu);
}

}  // namespace kdk::gui
