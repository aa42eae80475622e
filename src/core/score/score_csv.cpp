#include "core/score/score_csv.h"

#include "core/common/number_text.h"
#include "core/common/text_utils.h"

namespace kdk {
namespace {

constexpr std::size_t kFlushBytes = 1u << 20;
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
                         const ScoreEvents& events, char separator, Sink sink)
    : scorer_(scorer),
      inputs_(std::move(inputs)),
      prediction_name_(std::move(prediction_name)),
      options_(options),
      events_(events),
      separator_(separator),
      sink_(std::move(sink)),
      values_(inputs_.size()) {
  out_.reserve(kFlushBytes + (64u << 10));
}

void TableScorer::AppendFields(std::span<const std::string_view> fields,
                               std::span<const unsigned char> quoted) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out_.push_back(separator_);
    AppendCsvField(out_, fields[i], separator_, i < quoted.size() && quoted[i] != 0);
  }
}

bool TableScorer::Flush() {
  if (!out_.empty() && !sink_(out_)) {
    error_ = "The result could not be written.";
    return false;
  }
  out_.clear();
  return true;
}

bool TableScorer::Header(std::span<const std::string_view> names,
                         std::span<const unsigned char> quoted) {
  header_.assign(names.begin(), names.end());
  if (!MatchScoreColumns(inputs_, names, prediction_name_, scorer_.Classifier(), columns_,
                         error_)) {
    return false;
  }
  summary_.added_columns = columns_.added;
  AppendFields(names, quoted);
  for (const std::string& name : columns_.added) {
    out_.push_back(separator_);
    AppendCsvField(out_, name, separator_);
  }
  out_.append(kCrLf);
  return true;
}

bool TableScorer::Row(std::span<const std::string_view> fields,
                      std::span<const unsigned char> quoted, std::size_t line) {
  // A blank line between the rows of a table of several columns holds no row.
  if (header_.size() > 1 && fields.size() == 1 && fields[0].empty() &&
      !(quoted.size() > 0 && quoted[0] != 0)) {
    return true;
  }
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
  AppendFields(fields, quoted);
  out_.push_back(separator_);
  if (prediction_.ok) AppendNumberText(out_, prediction_.prediction);
  if (scorer_.Classifier()) {
    out_.push_back(separator_);
    if (prediction_.ok) out_.append(prediction_.is_true ? "TRUE" : "FALSE");
    out_.push_back(separator_);
    if (prediction_.ok) AppendNumberText(out_, prediction_.strength);
  }
  out_.append(kCrLf);
  if (out_.size() >= kFlushBytes && !Flush()) return false;
  if (summary_.rows % kProgressRows == 0 && events_.progress && !events_.progress(summary_.rows)) {
    error_ = "Scoring was cancelled.";
    return false;
  }
  return true;
}

bool TableScorer::Finish() {
  if (!Flush()) return false;
  if (events_.progress) events_.progress(summary_.rows);
  return true;
}

bool ScoreCsv(CsvReader& reader, RowScorer& scorer, const std::vector<SpssInput>& inputs,
              std::string_view prediction_name, const ScoreOptions& options,
              const std::function<bool(std::string_view)>& sink, const ScoreEvents& events,
              ScoreSummary& summary, std::string& error) {
  std::vector<std::string_view> fields;
  if (!reader.Next(fields)) {
    error = reader.Error().empty() ? "The data has no header line." : reader.Error();
    return false;
  }
  TableScorer table(scorer, inputs, std::string(prediction_name), options, events,
                    reader.Separator(), sink);
  bool ok = table.Header(fields, reader.Quoted());
  while (ok && reader.Next(fields)) ok = table.Row(fields, reader.Quoted(), reader.RecordLine());
  if (ok && !reader.Error().empty()) {
    error = reader.Error();
    summary = table.Summary();
    return false;
  }
  ok = ok && table.Finish();
  summary = table.Summary();
  if (!ok) error = table.Error();
  return ok;
}

}  // namespace kdk
