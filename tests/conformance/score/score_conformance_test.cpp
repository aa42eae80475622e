// Seeded models score delimited data in process: cells as `kdk predict` prints them, every
// field back as it went in whatever the separator, quoting and read breaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <random>
#include <set>

#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/smart_names.h"
#include "core/export/code/spss_data_match.h"
#include "core/score/score_csv.h"
#include "core/score/score_file.h"
#include "engines/spss/sav_rows.h"
#include "engines/spss/sav_writer.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

// A table as text cells, written with `separator`, read back after scoring.
using Table = std::vector<std::vector<std::string>>;

std::string CsvText(const Table& table, char separator, std::mt19937_64& random) {
  std::string text;
  for (const auto& row : table) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text.push_back(separator);
      AppendCsvField(text, row[i], separator, random() % 4 == 0);
    }
    text.append(random() % 2 ? "\r\n" : "\n");
  }
  return text;
}

// Reads `text` in pieces of random size, so records and quotes break anywhere.
CsvReader::Source ChoppedSource(const std::string& text, std::uint64_t seed) {
  return [&text, at = std::size_t{0}, random = std::mt19937_64(seed)](
             char* buffer, std::size_t capacity) mutable -> long {
    const std::size_t piece =
        std::min<std::size_t>({capacity, text.size() - at, 1 + random() % 97});
    std::memcpy(buffer, text.data() + at, piece);
    at += piece;
    return static_cast<long>(piece);
  };
}

struct Scored {
  bool ok = false;
  std::string error;
  Table table;  // the scored text read back with the input's separator
  std::vector<std::size_t> bad_lines;
};

Scored Score(const std::string& text, std::uint64_t seed, RowScorer& scorer,
             const std::vector<SpssInput>& inputs, const std::string& prediction) {
  Scored scored;
  CsvReader reader(ChoppedSource(text, seed));
  std::string out;
  ScoreEvents events;
  events.bad_row = [&scored](std::size_t line, const std::string&) {
    scored.bad_lines.push_back(line);
  };
  ScoreSummary summary;
  const auto write = [&out](std::string_view bytes) { return out.append(bytes), true; };
  scored.ok =
      ScoreCsv(reader, scorer, inputs, prediction, {}, write, events, summary, scored.error);
  CsvReader back(ChoppedSource(out, out.size()));
  back.SetSeparator(reader.Separator());
  std::vector<std::string_view> fields;
  while (back.Next(fields)) scored.table.emplace_back(fields.begin(), fields.end());
  return scored;
}

constexpr char kSeparators[] = {',', ';', '\t'};
// A column the model does not read: it must come back byte for byte.
const char* const kNotes[] = {"plain", "a,b;c\td", "say \"hi\"", "two\r\nlines", "", " . "};

TEST(ScoreConformance, NetworksScoreEveryRowAsPredictDoes) {
  const std::uint64_t seed = ConformanceSeed();
  std::mt19937_64 random(seed);
  int cases = 0;
  for (const ConformanceCase& item : ConformanceCases(seed, 24, 6)) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", case " + item.name);
    const NetworkModel& model = item.model;
    CodeExportSettings settings;
    ResetNames(settings, model);
    settings.code_type = CodeType::Spss;
    const std::vector<SpssInput> inputs = NetworkSpssInputs(settings, model);
    const std::string prediction = NetworkSpssOutputName(settings, model);
    std::string error;
    auto scorer = MakeNetworkScorer(model, error);
    ASSERT_TRUE(scorer) << error;
    // A note column, the inputs (reversed where no two share a name: inputs of one name
    // are matched in order), and a column named like the prediction, kept as it is.
    std::vector<std::size_t> order(model.input_names.size());
    std::iota(order.begin(), order.end(), 0);
    std::set<std::string> distinct;
    for (const std::string& name : model.input_names)
      distinct.insert(ToLowerAscii(TrimBlanks(name)));
    if (distinct.size() == order.size()) std::reverse(order.begin(), order.end());
    Table table(1, {"note"});
    for (std::size_t i : order) table[0].push_back(model.input_names[i]);
    table[0].push_back(prediction);
    for (std::size_t v = 0; v < item.inputs.size(); ++v) {
      std::vector<std::string> row = {kNotes[(v + cases) % std::size(kNotes)]};
      for (std::size_t i : order) row.push_back(ExactText(item.inputs[v][i]));
      row.push_back("kept");
      table.push_back(row);
    }
    table.push_back(table.back());
    table.back()[1 + random() % model.input_names.size()] = "n/a";  // a bad row, last
    const char separator = kSeparators[cases % 3];
    const Scored scored =
        Score(CsvText(table, separator, random), random(), *scorer, inputs, prediction);
    ASSERT_TRUE(scored.ok) << scored.error;
    ASSERT_EQ(scored.table.size(), table.size());
    ASSERT_EQ(scored.bad_lines.size(), 1u);
    const std::size_t added = model.is_classifier ? 3 : 1;
    for (std::size_t r = 0; r < table.size(); ++r) {
      const auto& got = scored.table[r];
      ASSERT_EQ(got.size(), table[r].size() + added) << "row " << r;
      ASSERT_TRUE(std::equal(table[r].begin(), table[r].end(), got.begin())) << "row " << r;
      if (r == 0 || r == table.size() - 1) {  // the header, and the bad row
        EXPECT_EQ(r == 0 ? got[table[r].size()] : got.back(), r == 0 ? prediction + "_1" : "");
        continue;
      }
      const NetworkPrediction expected = Predicted(model, item.inputs[r - 1]);
      EXPECT_EQ(got[table[r].size()], NumberText(expected.prediction)) << "row " << r;
      if (model.is_classifier) {
        EXPECT_EQ(got[table[r].size() + 1] + " " + got[table[r].size() + 2],
                  expected.class_text + " " + NumberText(expected.strength));
      }
    }
    ++cases;
  }
}

TEST(ScoreConformance, MarsModelsScoreMissingValuesUnderTheEvaluatorsRule) {
  const std::uint64_t seed = ConformanceSeed();
  std::mt19937_64 random(seed);
  int rows = 0, missing = 0;
  for (std::uint32_t m = 1; m <= 30; ++m) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", model " + std::to_string(m));
    const MarsCase mars = ReadMarsCase(static_cast<std::uint32_t>(seed) + m, 40);
    const MarsModel& model = mars.model;
    std::string error;
    auto scorer = MakeMarsScorer(model, error);
    ASSERT_TRUE(scorer) << error;
    Table table(1, model.input_names);
    for (const InputRow& row : mars.rows) {
      table.emplace_back();
      for (const auto& value : row) {
        table.back().push_back(value ? ExactText(*value) : (random() % 2 ? "." : ""));
        missing += !value;
      }
    }
    const std::string output = MarsSpssOutputVariable(model, "mars_out");
    const Scored scored = Score(CsvText(table, kSeparators[m % 3], random), random(), *scorer,
                                MarsSpssInputs(model), output);
    ASSERT_TRUE(scored.ok) << scored.error;
    ASSERT_EQ(scored.table.size(), table.size());
    EXPECT_TRUE(scored.bad_lines.empty());
    for (std::size_t r = 1; r < table.size(); ++r) {
      const double expected = mars.evaluator.Evaluate(mars.rows[r - 1]);
      EXPECT_EQ(scored.table[r].back(), NumberText(expected)) << "row " << r;
      EXPECT_TRUE(
          Close(expected, *PredictUnderRules(model, mars.rows[r - 1], MissingRules::Evaluator)))
          << "row " << r;
      ++rows;
    }
  }
  EXPECT_GT(missing, rows / 10);
}

class TableText : public TableRows {
 public:
  bool Header(std::span<const std::string_view> names, std::span<const unsigned char>) override {
    table.emplace_back(names.begin(), names.end());
    return true;
  }
  bool Row(std::span<const std::string_view> fields, std::span<const unsigned char>,
           std::size_t) override {
    table.emplace_back(fields.begin(), fields.end());
    return true;
  }
  bool Finish() override { return true; }
  const std::string& Error() const override { return error; }
  Table table;
  std::string error;
};

// Scored into an SPSS data file: every number back as the same double, a bad row's
// prediction as missing, and a column holding text as text.
TEST(ScoreConformance, SpssResultsHoldEveryValueExactly) {
  const std::uint64_t seed = ConformanceSeed();
  std::mt19937_64 random(seed);
  const ScratchFolder folder;
  int cases = 0;
  for (const ConformanceCase& item : ConformanceCases(seed + 1, 8, 5)) {
    SCOPED_TRACE("seed " + std::to_string(seed + 1) + ", case " + item.name);
    ScoringModel scoring;
    CodeExportSettings settings;
    ResetNames(settings, item.model);
    settings.code_type = CodeType::Spss;
    std::string error;
    ASSERT_TRUE(PrepareNetworkScoring(item.model, settings, scoring, error)) << error;
    Table table(1, {"note"});
    for (const auto& input : scoring.inputs) table[0].push_back(input.compared);
    for (std::size_t v = 0; v < item.inputs.size(); ++v) {
      table.push_back({kNotes[v % std::size(kNotes)]});
      for (double value : item.inputs[v]) table.back().push_back(ExactText(value));
    }
    table.back()[1] = "n/a";
    ScoreFileRequest request;
    request.data_path = folder.File("data.csv");
    request.output_path = folder.File("scored.sav");
    ASSERT_TRUE(WriteFileAtomically(request.data_path, CsvText(table, ',', random), error));
    ScoreSummary summary;
    ASSERT_TRUE(ScoreDataFile(scoring, request, spss::ReadStatDataFiles(), {}, summary, error))
        << error;
    TableText back;
    ASSERT_TRUE(spss::ReadSavTable(request.output_path, back, error)) << error;
    ASSERT_EQ(back.table.size(), table.size());
    const std::size_t n = item.model.input_names.size();
    for (std::size_t r = 1; r < table.size(); ++r) {
      const auto& got = back.table[r];
      ASSERT_EQ(got.size(), n + 1 + (item.model.is_classifier ? 3 : 1));
      EXPECT_EQ(got[0], DataTextAsUtf8(table[r][0])) << "row " << r;
      for (std::size_t i = 1; i <= n; ++i) {
        if (r + 1 == table.size() && i == 1) continue;
        EXPECT_EQ(std::strtod(got[i].c_str(), nullptr), item.inputs[r - 1][i - 1]);
      }
      if (r + 1 == table.size()) {
        EXPECT_EQ(got[1], "n/a");  // the column holds text now, so it is a string
        EXPECT_EQ(got[n + 1], "");
        continue;
      }
      const NetworkPrediction expected = Predicted(item.model, item.inputs[r - 1]);
      EXPECT_EQ(std::strtod(got[n + 1].c_str(), nullptr), expected.prediction) << "row " << r;
      if (item.model.is_classifier) {
        EXPECT_EQ(got[n + 2], expected.class_text);
      }
    }
    ++cases;
  }
  EXPECT_EQ(cases, 8);
}

}  // namespace
}  // namespace kdk::conformance
