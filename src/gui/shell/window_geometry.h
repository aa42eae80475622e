#pragma once

#include <QSize>

class QWidget;

namespace kdk::gui {

// Fixed sizes of the main window and its strip, in twips.
inline constexpr int kMainWindowWidth = 12000;
inline constexpr int kMainWindowShortHeight = 2210;  // no model yet
inline constexpr int kMainWindowTallHeight = 9000;
inline constexpr int kControlPanelHeight = 1260;
inline constexpr int kControlPanelWidth = 10000;
inline constexpr int kNetworkWindowWidth = 8500;
inline constexpr int kMarsWindowWidth = 12000;
inline constexpr int kLargeWindowSize = 50000;  // lets the main window limit output boxes

inline constexpr int kOutputBoxMinWidth = 5000;
inline constexpr int kOutputBoxMinHeight = 6270;
inline constexpr int kGridMinHeight = 100;

// The size of a window's large output box, in twips: as much as both the main
// window's available area and the window itself allow, but never below 5000 x 6270.
QSize OutputBoxSize(int available_width, int available_height, int window_width, int window_height,
                    int box_left, int box_top);

// The quick prediction grid's height, in twips: the smaller of what the main window
// and the window leave below the grid, less a margin of 900, at least 100.
int GridHeight(int available_height, int window_height, int grid_top);

// Fits `box` (a descendant of `window`) to the available area; sizes in twips.
void FitOutputBox(QWidget* window, int available_width, int available_height, QWidget* box);

}  // namespace kdk::gui
