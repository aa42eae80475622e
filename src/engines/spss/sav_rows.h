#pragma once

#include <string>

#include "core/score/score_csv.h"

namespace kdk::spss {

// Hands an SPSS data file (.sav or .zsav) to `table` case by case, as ReadStat reads
// it: the variable names as the header, then each case's values as text: numbers
// written so they read back exactly, a missing value (system- or user-missing) empty,
// strings as they are. A case's line is its case number. False with `error` when the
// file cannot be read or the table stops.
bool ScoreSavRows(const std::string& path, TableScorer& table, std::string& error);

}  // namespace kdk::spss
