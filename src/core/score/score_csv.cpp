#include "core/score/score_csv.h"

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/score/score_columns.h"

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

bool ScoreCsv(CsvReader& reader, RowScorer& scorer, const std::vector<SpssInput>& inputs,
              std::string_view prediction_name, const ScoreOptions& options,
              const std::function<bool(std::string_view)>& sink, const ScoreEvents& events,
              ScoreSummary& summary, std::string& error) {
  summary = ScoreSummary{};
  std::vector<std::string_view> fields;
  if (!reader.Next(fields)) {
    error = reader.Error().empty() ? "The data has no header line." : reader.Error();
    return false;
  }
  const std::vector<std::string> header(fields.begin(), fields.end());
  ScoreColumns columns;
  if (!MatchScoreColumns(inputs, fields, prediction_name, scorer.Classifier(), columns, error)) {
    return false;
  }
  summary.added_columns = columns.added;
  const char separator = reader.Separator();

  std::string out;
  out.reserve(kFlushBytes + (64u << 10));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out.push_back(separator);
    AppendCsvField(out, fields[i], separator, reader.WasQuoted(i));
  }
  for (const std::string& name : columns.added) {
    out.push_back(separator);
    AppendCsvField(out, name, separator);
  }
  out.append(kCrLf);

  std::vector<std::string_view> values(inputs.size());
  RowPrediction prediction;
  std::string problem;
  while (reader.Next(fields)) {
    // A blank line between the rows of a table of several columns holds no row.
    if (header.size() > 1 && fields.size() == 1 && fields[0].empty() && !reader.WasQuoted(0)) {
      continue;
    }
    ++summary.rows;
    problem.clear();
    if (fields.size() != header.size()) {
      problem = std::to_string(fields.size()) + " fields where the header has " +
                std::to_string(header.size());
      prediction = RowPrediction{};
    } else {
      for (std::size_t i = 0; i < values.size(); ++i) values[i] = fields[columns.input_columns[i]];
      scorer.Score(values, prediction);
      if (!prediction.ok) {
        problem = BadValueText(header[columns.input_columns[prediction.bad_input]],
                               values[prediction.bad_input]);
      }
    }
    if (!problem.empty()) {
      ++summary.bad_rows;
      if (options.strict) {
        error = "line " + std::to_string(reader.RecordLine()) + ": " + problem;
        return false;
      }
      if (events.bad_row) events.bad_row(reader.RecordLine(), problem);
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out.push_back(separator);
      AppendCsvField(out, fields[i], separator, reader.WasQuoted(i));
    }
    out.push_back(separator);
    if (prediction.ok) AppendNumberText(out, prediction.prediction);
    if (scorer.Classifier()) {
      out.push_back(separator);
      if (prediction.ok) out.append(prediction.is_true ? "TRUE" : "FALSE");
      out.push_back(separator);
      if (prediction.ok) AppendNumberText(out, prediction.strength);
    }
    out.append(kCrLf);
    if (out.size() >= kFlushBytes) {
      if (!sink(out)) {
        error = "The result could not be written.";
        return false;
      }
      out.clear();
    }
    if (summary.rows % kProgressRows == 0 && events.progress && !events.progress(summary.rows)) {
      error = "Scoring was cancelled.";
      return false;
    }
  }
  if (!reader.Error().empty()) {
    error = reader.Error();
    return false;
  }
  if (!out.empty() && !sink(out)) {
    error = "The result could not be written.";
    return false;
  }
  if (events.progress) events.progress(summary.rows);
  return true;
}

}  // namespace kdk
