#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for every GUI test. Offscreen unless QT_QPA_PLATFORM says
// otherwise, so the tests (and their discovery at build time) need no display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
