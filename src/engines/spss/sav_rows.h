#pragma once

#include <string>

#include "core/score/table_rows.h"

namespace kdk::spss {

// Hands an SPSS data file (.sav or .zsav) to `table` case by case, as ReadStat reads
// it (names and strings in the file's UTF-8): the variable names as the header, then each case's
// values as text: numbers written so they read back exactly, a missing value (system- or
// user-missing) empty, strings as they are. A case's line is its case number. False with `error`
// when the file cannot be read or the table stops.
bool ReadSavTable(const std::string& path, TableRows& table, std::string& error);

}  // namespace kdk::spss
