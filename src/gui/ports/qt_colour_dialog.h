#pragma once

#include <QPointer>
#include <QWidget>

#include "core/ports/colour_dialog_port.h"

namespace kdk::gui {

class QtColourDialog : public ColourDialogPort {
 public:
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kdk::gui
