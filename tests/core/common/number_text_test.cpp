#include "core/common/number_text.h"
#include "core/common/date_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

namespace kdk {
namespace {

std::string PrintfG15(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
}

// Where a digit rounds into a new one, the form changes; zero has no sign.
TEST(NumberText, WritesWhatPrintfWritesAtTheEdges) {
  for (double value :
       {0.5, -0.5, 1.2E-05, 1E-05, 0.0001, 1E15, 999999999999999.0, 123456789012345678.0, 1E100,
        2.5E-300, -42.0, 0.1 + 0.2, 2.0 / 3, DBL_MIN, DBL_MAX, 5E-324, 999999999999999.9,
        0.000099999999999999999, 9.99999999999999999})
    EXPECT_EQ(NumberText(value), PrintfG15(value));
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(-0.0), "0");
  std::string out = "x = ";
  AppendNumberText(out, -1.25);
  EXPECT_EQ(out, "x = -1.25");
  // Twelve-hour clock, fixed names; midnight and noon are twelve.
  EXPECT_EQ(DateText({2026, 12, 5, 6, 17, 30}), "Sat, Dec 5 2026, 5:30 PM");
  EXPECT_EQ(DateText({2004, 5, 3, 1, 9, 5}), "Mon, May 3 2004, 9:05 AM");
  EXPECT_EQ(DateText({2004, 1, 1, 4, 0, 0}), "Thu, Jan 1 2004, 12:00 AM");
  EXPECT_EQ(DateText({2004, 1, 31, 6, 12, 59}), "Sat, Jan 31 2004, 12:59 PM");
  EXPECT_EQ(DateText({1999, 10, 10, 0, 23, 1}), "Sun, Oct 10 1999, 11:01 PM");
}

// The largest writable number's text reads back finite; the next double's does not.
TEST(NumberText, AWritableNumberReadsBackFinite) {
  const double largest = 1.7976931348623149e308;
  const double next = std::nextafter(largest, INFINITY);
  EXPECT_TRUE(IsWritableNumber(-largest));
  EXPECT_TRUE(std::isfinite(std::strtod(NumberText(largest).c_str(), nullptr)));
  EXPECT_FALSE(IsWritableNumber(next));
  EXPECT_TRUE(std::isinf(std::strtod(NumberText(next).c_str(), nullptr)));
  EXPECT_EQ(NumberText(largest), LargestWritableText());
  EXPECT_TRUE(IsWritableNumber(FLT_MAX, RealKind::Single));
  EXPECT_TRUE(std::isfinite(std::strtof(NumberText(FLT_MAX).c_str(), nullptr)));
  EXPECT_EQ(NumberText(FLT_MAX), LargestWritableText(RealKind::Single));
  EXPECT_FALSE(IsWritableNumber(std::nextafter(double{FLT_MAX}, INFINITY), RealKind::Single));
  EXPECT_TRUE(IsWritableNumber(5E-324));
  EXPECT_FALSE(IsWritableNumber(INFINITY));
  EXPECT_FALSE(IsWritableNumber(NAN));
}

TEST(NumberText, MatchesPrintfOverARandomSample) {
  std::setlocale(LC_NUMERIC, "C");
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> scale(-30, 30);
  for (int i = 0; i < 200000; ++i) {
    double value;
    if (i % 2 == 0) {
      std::uint64_t raw = bits(random);
      std::memcpy(&value, &raw, sizeof value);
      if (!std::isfinite(value)) continue;
    } else {
      value = unit(random) * std::pow(10.0, scale(random));
      if (i % 7 == 0) value = std::round(value * 1000) / 1000;
    }
    if (value == 0) continue;
    ASSERT_EQ(NumberText(value), PrintfG15(value)) << "bits of a sample differ";
  }
}

}  // namespace
}  // namespace kdk
