#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "core/score/score_file.h"
#include "core/score/table_rows.h"
#include "core/score/table_survey.h"

namespace kdk::spss {

// Scored rows as an SPSS data file, written with ReadStat: the columns the survey
// found (numbers as numbers, missing as system-missing; text as strings in UTF-8), the
// prediction and strength as numbers, the class as a string. Column names are made
// names SPSS takes, each once (as the syntax's names are). The bytes go to `sink`.
std::unique_ptr<ScoredTableWriter> MakeSavTableWriter(const TableSurvey& survey,
                                                      std::function<bool(std::string_view)> sink);

// SPSS data files read and written with ReadStat, for scoring.
SpssDataFiles ReadStatDataFiles();

}  // namespace kdk::spss
