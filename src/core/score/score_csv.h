#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/spss_data_match.h"
#include "core/score/csv_reader.h"
#include "core/score/row_scorer.h"

namespace kdk {

// What the caller hears while a file is scored.
struct ScoreEvents {
  // A row whose prediction is left empty: its line, and why ("column X: 'abc' is not a
  // number", "3 fields where the header has 4").
  std::function<void(std::size_t line, const std::string& problem)> bad_row;
  // Called every few thousand rows with the rows done; false cancels.
  std::function<bool(std::size_t rows)> progress;
};

struct ScoreOptions {
  bool strict = false;  // the first bad row ends the run with an error
};

struct ScoreSummary {
  std::size_t rows = 0;
  std::size_t bad_rows = 0;
  std::vector<std::string> added_columns;
};

// Writes the data read by `reader` to `sink` (in pieces, in order) with the model's
// added columns: every record and field as it came (quoted where it must be), with the
// reader's separator, lines ending in CR LF. False with `error` when the header does
// not match the model, the data cannot be read, the sink fails, a bad row is met in
// strict mode, or the run is cancelled; what was sunk is then not a whole result.
bool ScoreCsv(CsvReader& reader, RowScorer& scorer, const std::vector<SpssInput>& inputs,
              std::string_view prediction_name, const ScoreOptions& options,
              const std::function<bool(std::string_view)>& sink, const ScoreEvents& events,
              ScoreSummary& summary, std::string& error);

}  // namespace kdk
