#pragma once

#include <readstat.h>

#include <string>
#include <vector>

namespace kdk::spss {

// What one ReadStat pass over an SPSS data file collects for every reader of the
// engine: the variable names in file order (UTF-8), and ReadStat's own words on a
// failure. A reader that also takes the values keeps this first in its own record.
struct SavReading {
  std::vector<std::string> names;
  std::string detail;
};

// Reads the dictionary of `path` into `reading` and, with `on_value`, hands each value
// to it with `reading` as its context. False, with `error` in plain words naming the
// file, when ReadStat cannot read it; a handler's abort also returns false.
bool ParseSav(const std::string& path, SavReading& reading, readstat_value_handler on_value,
              std::string& error);

}  // namespace kdk::spss
