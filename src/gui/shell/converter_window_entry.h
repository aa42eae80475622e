#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace kdk::gui {

// One converter or view window as the main window sees it: the widget, what to do
// when it becomes active, and its large output box when it has one.
struct ConverterWindowEntry {
  QPointer<QWidget> widget;
  std::function<void()> activate;
  std::function<QPlainTextEdit*()> output_box;  // empty when the window has none
  // Windows with a grid instead fit it themselves (available width and height, twips).
  std::function<void(int, int)> fit_to_main_window;
};

// Wraps any window class that offers `void Activate()` and, optionally,
// `QPlainTextEdit* OutputBox()` or `void FitToMainWindow(int, int)`.
template <class Window>
ConverterWindowEntry MakeConverterWindowEntry(Window* window) {
  ConverterWindowEntry entry;
  entry.widget = window;
  entry.activate = [window] { window->Activate(); };
  if constexpr (requires { window->OutputBox(); }) {
    entry.output_box = [window]() -> QPlainTextEdit* { return window->OutputBox(); };
  }
  if constexpr (requires { window->FitToMainWindow(0, 0); }) {
    entry.fit_to_main_window = [window](int width, int height) {
      window->FitToMainWindow(width, height);
    };
  }
  return entry;
}

}  // namespace kdk::gui
