#include "core/score/score_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/common/output_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/mars_spss.h"
#include "core/score/table_survey.h"

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

// An opened data file: delimited text read here (its separator known once opened), SPSS
// data through the SPSS engine.
class DataTable {
 public:
  DataTable(const ScoreFileRequest& request, const SpssDataFiles& spss)
      : request_(request), spss_(spss) {}
  DataTable(const DataTable&) = delete;
  DataTable& operator=(const DataTable&) = delete;
  ~DataTable() {
    if (descriptor_ > STDIN_FILENO) ::close(descriptor_);
  }

  bool Open(std::string& error) {
    if (IsSpssDataPath(request_.data_path)) return true;
    descriptor_ = request_.data_path == "-"
                      ? STDIN_FILENO
                      : ::open(request_.data_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
      error = "Can't read the data " + request_.data_path + ": " + std::strerror(errno);
      return false;
    }
    reader_ = std::make_unique<CsvReader>([this](char* buffer, std::size_t capacity) -> long {
      ssize_t got;
      do {
        got = ::read(descriptor_, buffer, capacity);
      } while (got < 0 && errno == EINTR);
      return static_cast<long>(got);
    });
    reader_->SetSeparator(request_.separator);
    reader_->ResolveSeparator();
    return reader_->Error().empty() || (error = reader_->Error(), false);
  }

  // The separator a delimited result keeps: the data's, a comma for SPSS data.
  char Separator() const { return reader_ ? reader_->Separator() : ','; }

  bool Read(TableRows& rows, std::string& error) {
    return reader_ ? ReadCsvTable(*reader_, rows, error)
                   : spss_.read(request_.data_path, rows, error);
  }

 private:
  const ScoreFileRequest& request_;
  const SpssDataFiles& spss_;
  int descriptor_ = -1;
  std::unique_ptr<CsvReader> reader_;
};

}  // namespace

bool ScoreDataFile(ScoringModel& model, const ScoreFileRequest& request, const SpssDataFiles& spss,
                   const ScoreEvents& events, ScoreSummary& summary, std::string& error) {
  const bool spss_result = IsSpssDataPath(request.output_path);
  TableSurvey survey;
  if (spss_result) {
    if (request.data_path == "-") {
      error = "An SPSS data file is written from a data file, not from standard input.";
      return false;
    }
    DataTable first(request, spss);
    TableSurveyor surveyor;
    if (!first.Open(error) || !first.Read(surveyor, error)) return false;
    survey = surveyor.Survey();
  }
  DataTable data(request, spss);
  if (!data.Open(error)) return false;
  OutputStream out;
  const KeptInputs kept{request.model_path, request.data_path == "-" ? "" : request.data_path};
  if (!out.Open(request.output_path, kept)) {
    error = out.Error();
    return false;
  }
  const auto sink = [&out](std::string_view bytes) { return out.Write(bytes); };
  const std::unique_ptr<ScoredTableWriter> writer =
      spss_result ? spss.writer(survey, sink)
                  : std::make_unique<CsvTableWriter>(data.Separator(), sink);
  TableScorer table(*model.scorer, model.inputs, model.prediction_name, request.options, events,
                    *writer);
  const bool scored = data.Read(table, error);
  summary = table.Summary();
  if (scored && !out.Commit()) error = out.Error();
  if (!scored || !error.empty()) {
    out.Abandon();
    return false;
  }
  return true;
}

}  // namespace kdk
