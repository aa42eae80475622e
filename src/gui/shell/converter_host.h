#pragma once

#include <QString>

class QWidget;

namespace kdk::gui {

// What a converter or view window asks of the main window.
class ConverterHost {
 public:
  virtual ~ConverterHost() = default;
  // Places the window below the control panel, shows the caption as the main
  // window's, and sizes it (width in twips; 0 or less: by model type).
  virtual void PlaceConverterWindow(QWidget* window, const QString& caption, int width_twips) = 0;

  // For views that sit in the top left corner instead (the equation view): moves the
  // window there and shows the caption as the main window's.
  virtual void ShowAtTopLeft(QWidget* /*window*/, const QString& /*caption*/) {}

  // Called after any successful network load: the control panel names the file and
  // the visible network window is rebuilt for the new network.
  virtual void NetworkLoaded() {}
};

}  // namespace kdk::gui
