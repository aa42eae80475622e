#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/spss_data_match.h"
#include "core/score/csv_reader.h"
#include "core/score/row_scorer.h"
#include "core/score/score_columns.h"
#include "core/score/table_rows.h"

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

// Scores a table handed to it record by record into `writer`. A call returns false,
// with Error() set, when the header does not match the model, a bad row is met in
// strict mode, the run is cancelled or the writer fails; what was written is then
// not a whole result.
class TableScorer : public TableRows {
 public:
  TableScorer(RowScorer& scorer, std::vector<SpssInput> inputs, std::string prediction_name,
              const ScoreOptions& options, const ScoreEvents& events, ScoredTableWriter& writer);

  bool Header(std::span<const std::string_view> names,
              std::span<const unsigned char> quoted) override;
  bool Row(std::span<const std::string_view> fields, std::span<const unsigned char> quoted,
           std::size_t line) override;
  bool Finish() override;
  const std::string& Error() const override { return error_; }

  const ScoreSummary& Summary() const { return summary_; }

 private:
  bool WriteFailed();

  RowScorer& scorer_;
  std::vector<SpssInput> inputs_;
  std::string prediction_name_;
  ScoreOptions options_;
  ScoreEvents events_;
  ScoredTableWriter& writer_;
  std::vector<std::string> header_;
  ScoreColumns columns_;
  std::vector<std::string_view> values_;
  RowPrediction prediction_;
  std::string problem_;
  ScoreSummary summary_;
  std::string error_;
};

// Hands a delimited text file to `rows` record by record. False with `error` from
// the reader or from `rows`.
bool ReadCsvTable(CsvReader& reader, TableRows& rows, std::string& error);

// A delimited text file scored into delimited text with the reader's separator.
bool ScoreCsv(CsvReader& reader, RowScorer& scorer, const std::vector<SpssInput>& inputs,
              std::string_view prediction_name, const ScoreOptions& options,
              const std::function<bool(std::string_view)>& sink, const ScoreEvents& events,
              ScoreSummary& summary, std::string& error);

}  // namespace kdk
