#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

namespace kdk::gui {

// Window geometry is kept in twips, as the program's forms are laid out; Qt's logical
// pixels are already independent of the screen's pixel ratio, so 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline int PixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

inline void SetTwipsGeometry(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(left, top, width, height));
}

}  // namespace kdk::gui
