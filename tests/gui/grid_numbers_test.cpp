#include "gui/network/grid_numbers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "gui/network/pointer_file.h"

namespace kdk::gui {
namespace {

TEST(ParseCellNumber, AcceptsNumbersWithBlanksSignsAndExponents) {
  EXPECT_EQ(ParseCellNumber("12"), 12.0);
  EXPECT_EQ(ParseCellNumber("  -0.5 "), -0.5);
  EXPECT_EQ(ParseCellNumber("+2"), 2.0);
  EXPECT_EQ(ParseCellNumber(".25"), 0.25);
  EXPECT_EQ(ParseCellNumber("3."), 3.0);
  EXPECT_EQ(ParseCellNumber("1.5E-3"), 0.0015);
  EXPECT_EQ(ParseCellNumber("2e+2"), 200.0);
}

TEST(ParseCellNumber, RejectsEverythingElse) {
  for (const char* text : {"", "   ", "abc", "1,5", "1.2.3", "e5", "1e", "--1", ".", "-", "inf",
                           "nan", "1e999", "12abc", "\t1"}) {
    EXPECT_FALSE(ParseCellNumber(text).has_value()) << '"' << text << '"';
  }
}

TEST(FixedDecimals, WritesExactlyTheGivenPlaces) {
  EXPECT_EQ(FixedDecimals(0, 3), "0.000");
  EXPECT_EQ(FixedDecimals(1.23456, 3), "1.235");
  EXPECT_EQ(FixedDecimals(-2.5, 3), "-2.500");
  EXPECT_EQ(FixedDecimals(250000, 3), "250000.000");
  EXPECT_EQ(FixedDecimals(-0.0001, 3), "0.000");
  EXPECT_EQ(FixedDecimals(0.308625, 2), "0.31");
  // Halves away from zero, on the digits the program shows.
  EXPECT_EQ(FixedDecimals(0.125, 2), "0.13");
  EXPECT_EQ(FixedDecimals(-0.125, 2), "-0.13");
  EXPECT_EQ(FixedDecimals(2.675, 2), "2.68");
  EXPECT_EQ(FixedDecimals(0.0005, 3), "0.001");
  EXPECT_EQ(FixedDecimals(9.9995, 3), "10.000");
  EXPECT_EQ(FixedDecimals(0.004, 2), "0.00");
  EXPECT_EQ(FixedDecimals(-0.004, 2), "0.00");
  EXPECT_EQ(FixedDecimals(123456789.5, 0), "123456790");
  EXPECT_EQ(RoundedTo(0.125, 2), 0.13);
  EXPECT_EQ(RoundedTo(0.308625, 2), 0.31);
  EXPECT_EQ(RoundedTo(1e300, 2), 1e300);
}

TEST(PointerFile, TheShippedPointerLoadsWithItsHotSpot) {
  const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/h_point.cur");
  const std::optional<QCursor> pointer = LoadPointerFile(path);
  ASSERT_TRUE(pointer.has_value());
  EXPECT_EQ(pointer->hotSpot(), QPoint(7, 1));
  EXPECT_EQ(pointer->pixmap().size(), QSize(32, 32));

  QTemporaryDir folder;
  const QString text_file = folder.filePath(QStringLiteral("h_point.cur"));
  QFile file(text_file);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a pointer at all, just some text");
  file.close();
  EXPECT_FALSE(LoadPointerFile(text_file).has_value());
  EXPECT_FALSE(LoadPointerFile(folder.filePath(QStringLiteral("missing.cur"))).has_value());
}

}  // namespace
}  // namespace kdk::gui
