#include <gtest/gtest.h>

#include <QWidget>

// The offscreen platform is usable: a window can be made, shown and grabbed.
TEST(GuiPlatform, AWindowCanBeShownAndGrabbed) {
  QWidget window;
  window.resize(200, 100);
  window.show();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.grab().isNull());
}
