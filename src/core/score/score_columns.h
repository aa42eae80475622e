#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/spss_data_match.h"

namespace kdk {

// Where a data file's columns meet a model: the column of each input, and the names of
// the columns scoring adds.
struct ScoreColumns {
  std::vector<std::size_t> input_columns;  // per model input, in the model's order
  std::vector<std::string> added;          // the prediction, then class and strength
};

// Matches every input to one column: its stored name as written; else trimmed and in
// any case; else as the SPSS data-file check does, under the name the model's SPSS
// syntax reads (floor_area for "floor area"). A column no two inputs share. The added columns are
// `prediction_name` (and, for a classifier, it with "_class" and "_strength"), each with "_1",
// "_2", ... where the data has a column of that name already. False with `error` naming every input
// no column matches, or an input two columns match.
bool MatchScoreColumns(const std::vector<SpssInput>& inputs,
                       std::span<const std::string_view> header, std::string_view prediction_name,
                       bool classifier, ScoreColumns& columns, std::string& error);

}  // namespace kdk
