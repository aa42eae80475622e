#pragma once

#include <string>
#include <vector>

namespace kdk::spss {

// Reads the variable names of an SPSS data file (.sav or compressed .zsav) in file
// order. False, with `error` in plain words, when the file is missing, truncated or
// not SPSS data.
bool ReadSavVariableNames(const std::string& path, std::vector<std::string>& names,
                          std::string& error);

}  // namespace kdk::spss
