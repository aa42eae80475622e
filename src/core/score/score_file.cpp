#include "core/score/score_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/common/output_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/mars_spss.h"

namespace kdk {

bool PrepareNetworkScoring(const NetworkModel& model, const CodeExportSettings& settings,
                           ScoringModel& scoring, std::string& error) {
  scoring.inputs = NetworkSpssInputs(settings, model);
  scoring.prediction_name = NetworkSpssOutputName(settings, model);
  scoring.scorer = MakeNetworkScorer(model, error);
  return scoring.scorer != nullptr;
}

bool PrepareMarsScoring(const MarsModel& model, std::string_view output_name, ScoringModel& scoring,
                        std::string& error) {
  scoring.inputs = MarsSpssInputs(model);
  scoring.prediction_name = MarsSpssOutputVariable(model, StoredSpssOutputName(output_name));
  if (scoring.prediction_name.empty()) {
    error = "Invalid Output Name!";
    return false;
  }
  scoring.scorer = MakeMarsScorer(model, error);
  return scoring.scorer != nullptr;
}

bool IsSpssDataPath(std::string_view path) {
  const std::string lower = ToLowerAscii(path);
  return lower.ends_with(".sav") || lower.ends_with(".zsav");
}

namespace {

bool ScoreDelimited(const ScoreFileRequest& request, TableScorer::Sink sink, ScoringModel& model,
                    const ScoreEvents& events, ScoreSummary& summary, std::string& error) {
  const bool standard = request.data_path == "-";
  const int data =
      standard ? STDIN_FILENO : ::open(request.data_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (data < 0) {
    error = "Can't read the data " + request.data_path + ": " + std::strerror(errno);
    return false;
  }
  CsvReader reader([data](char* buffer, std::size_t capacity) -> long {
    ssize_t got;
    do {
      got = ::read(data, buffer, capacity);
    } while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
  });
  reader.SetSeparator(request.separator);
  const bool scored = ScoreCsv(reader, *model.scorer, model.inputs, model.prediction_name,
                               request.options, sink, events, summary, error);
  if (!standard) ::close(data);
  return scored;
}

}  // namespace

bool ScoreDataFile(ScoringModel& model, const ScoreFileRequest& request,
                   const SpssRowsReader& spss_rows, const ScoreEvents& events,
                   ScoreSummary& summary, std::string& error) {
  OutputStream out;
  KeptInputs kept{request.model_path, request.data_path == "-" ? "" : request.data_path};
  if (!out.Open(request.output_path, kept)) {
    error = out.Error();
    return false;
  }
  const auto sink = [&out](std::string_view bytes) { return out.Write(bytes); };
  bool scored = false;
  if (IsSpssDataPath(request.data_path)) {
    TableScorer table(*model.scorer, model.inputs, model.prediction_name, request.options, events,
                      ',', sink);
    scored = spss_rows(request.data_path, table, error);
    summary = table.Summary();
  } else {
    scored = ScoreDelimited(request, sink, model, events, summary, error);
  }
  if (scored && !out.Commit()) error = out.Error();
  if (!scored || !error.empty()) {
    out.Abandon();
    return false;
  }
  return true;
}

}  // namespace kdk
