#include "core/common/date_text.h"

#include <gtest/gtest.h>

namespace kdk {
namespace {

TEST(DateText, WritesTwelveHourClockWithFixedNames) {
  EXPECT_EQ(DateText({2026, 12, 5, 6, 17, 30}), "Sat, Dec 5 2026, 5:30 PM");
  EXPECT_EQ(DateText({2004, 5, 3, 1, 9, 5}), "Mon, May 3 2004, 9:05 AM");
}

TEST(DateText, MidnightAndNoonAreTwelve) {
  EXPECT_EQ(DateText({2004, 1, 1, 4, 0, 0}), "Thu, Jan 1 2004, 12:00 AM");
  EXPECT_EQ(DateText({2004, 1, 31, 6, 12, 59}), "Sat, Jan 31 2004, 12:59 PM");
  EXPECT_EQ(DateText({1999, 10, 10, 0, 23, 1}), "Sun, Oct 10 1999, 11:01 PM");
}

}  // namespace
}  // namespace kdk
