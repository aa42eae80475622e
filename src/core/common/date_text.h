#pragma once

#include <string>

namespace kdk {

// A local calendar time, as the clock port reports it.
struct LocalDateTime {
  int year = 1970;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int weekday = 4;  // 0 = Sunday .. 6 = Saturday
  int hour = 0;     // 0..23
  int minute = 0;   // 0..59
};

// "ddd, mmm d yyyy, h:mm AMPM" with fixed English names, e.g. "Sat, Dec 5 2026, 5:07 PM".
std::string DateText(const LocalDateTime& when);

}  // namespace kdk
