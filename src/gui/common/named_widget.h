#pragma once

#include <QWidget>

namespace kdk::gui {

// Gives a new widget its control name (tests and the window's own code find it by it).
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace kdk::gui
