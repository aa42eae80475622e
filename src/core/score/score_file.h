#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/code_export_settings.h"
#include "core/mars/mars_model.h"
#include "core/network/network_model.h"
#include "core/score/score_csv.h"
#include "core/score/table_survey.h"

namespace kdk {

// A loaded model ready to score: its row scorer, the names its inputs are looked for
// under and the name of the prediction column, as the model's SPSS syntax has them.
struct ScoringModel {
  std::unique_ptr<RowScorer> scorer;
  std::vector<SpssInput> inputs;
  std::string prediction_name;
};

// The network's names as the SPSS syntax of `settings` writes them.
bool PrepareNetworkScoring(const NetworkModel& model, const CodeExportSettings& settings,
                           ScoringModel& scoring, std::string& error);
// The prediction named as the MARS SPSS syntax names `output_name` ("mars_out").
bool PrepareMarsScoring(const MarsModel& model, std::string_view output_name, ScoringModel& scoring,
                        std::string& error);

struct ScoreFileRequest {
  std::string model_path;   // never the output
  std::string data_path;    // "-": standard input
  std::string output_path;  // "-": standard output
  char separator = 0;       // of delimited data; 0: found from the header
  ScoreOptions options;
};

// How SPSS data files are read and written (the SPSS engine's ReadStat reader and
// writer).
struct SpssDataFiles {
  std::function<bool(const std::string& path, TableRows& table, std::string& error)> read;
  std::function<std::unique_ptr<ScoredTableWriter>(const TableSurvey& survey,
                                                   std::function<bool(std::string_view)> sink)>
      writer;
};

// Whether the path names an SPSS data file (.sav, .zsav in any case).
bool IsSpssDataPath(std::string_view path);

// Scores the data file into the output: delimited text read here, an SPSS data file
// through `spss`; the result is delimited text (with the data's separator, a comma for
// SPSS data), or an SPSS data file when its name says so, written whole or not at
// all. An SPSS result reads the data twice (its columns are declared first), so its
// data cannot be standard input. False with `error` in plain words.
bool ScoreDataFile(ScoringModel& model, const ScoreFileRequest& request, const SpssDataFiles& spss,
                   const ScoreEvents& events, ScoreSummary& summary, std::string& error);

}  // namespace kdk
