#include "core/score/score_csv.h"

namespace kdk {
namespace {

constexpr std::size_t kProgressRows = 1u << 14;

std::string BadValueText(std::string_view column, std::string_view value) {
  std::string text = "column ";
  text.append(column).append(": '");
  text.append(value.substr(0, 40)).append(value.size() > 40 ? "...'" : "'");
  text.append(" is not a number");
  return text;
}

}  // namespace

TableScorer::TableScorer(RowScorer& scorer, std::vector<SpssInput> inputs,
                         std::string prediction_name, const ScoreOptions& options,
                         const ScoreEvents& events, ScoredTableWriter& writer)
    : scorer_(scorer),
      inputs_(std::move(inputs)),
      prediction_name_(std::move(prediction_name)),
      options_(options),
      events_(events),
      writer_(writer),
      values_(inputs_.size()) {}

bool TableScorer::WriteFailed() {
  error_ = "The result could not be written.";
  return false;
}

bool TableScorer::Header(std::span<const std::string_view> names,
                         std::span<const unsigned char> quoted) {
  header_.assign(names.begin(), names.end());
  if (!MatchScoreColumns(inputs_, names, prediction_name_, scorer_.Classifier(), columns_,
                         error_)) {
    return false;
  }
  summary_.added_columns = columns_.added;
  return writer_.Header(names, quoted, columns_.added) || WriteFailed();
}

bool TableScorer::Row(std::span<const std::string_view> fields,
                      std::span<const unsigned char> quoted, std::size_t line) {
  if (IsBlankRecord(header_.size(), fields, quoted)) return true;
  ++summary_.rows;
  problem_.clear();
  if (fields.size() != header_.size()) {
    problem_ = std::to_string(fields.size()) + " fields where the header has " +
               std::to_string(header_.size());
    prediction_ = RowPrediction{};
  } else {
    for (std::size_t i = 0; i < values_.size(); ++i) values_[i] = fields[columns_.input_columns[i]];
    scorer_.Score(values_, prediction_);
    if (!prediction_.ok) {
      problem_ = BadValueText(header_[columns_.input_columns[prediction_.bad_input]],
                              values_[prediction_.bad_input]);
    }
  }
  if (!problem_.empty()) {
    ++summary_.bad_rows;
    if (options_.strict) {
      error_ = "line " + std::to_string(line) + ": " + problem_;
      return false;
    }
    if (events_.bad_row) events_.bad_row(line, problem_);
  }
  if (!writer_.Row(fields, quoted, prediction_.ok ? &prediction_ : nullptr)) return WriteFailed();
  if (summary_.rows % kProgressRows == 0 && events_.progress && !events_.progress(summary_.rows)) {
    error_ = "Scoring was cancelled.";
    return false;
  }
  return true;
}

bool TableScorer::Finish() {
  if (!writer_.Finish()) return WriteFailed();
  if (events_.progress) events_.progress(summary_.rows);
  return true;
}

bool ReadCsvTable(CsvReader& reader, TableRows& rows, std::string& error) {
  std::vector<std::string_view> fields;
  if (!reader.Next(fields)) {
    error = reader.Error().empty() ? "The data has no header line." : reader.Error();
    return false;
  }
  bool ok = rows.Header(fields, reader.Quoted());
  while (ok && reader.Next(fields)) ok = rows.Row(fields, reader.Quoted(), reader.RecordLine());
  if (ok && !reader.Error().empty()) {
    error = reader.Error();
    return false;
  }
  ok = ok && rows.Finish();
  if (!ok) error = rows.Error();
  return ok;
}

bool ScoreCsv(CsvReader& reader, RowScorer& scorer, const std::vector<SpssInput>& inputs,
              std::string_view prediction_name, const ScoreOptions& options,
              const std::function<bool(std::string_view)>& sink, const ScoreEvents& events,
              ScoreSummary& summary, std::string& error) {
  CsvTableWriter writer(reader.ResolveSeparator(), sink);
  TableScorer table(scorer, inputs, std::string(prediction_name), options, events, writer);
  const bool ok = ReadCsvTable(reader, table, error);
  summary = table.Summary();
  return ok;
}

}  // namespace kdk
