// Generated MARS models converted to SPSS syntax and run in PSPP over rows of inputs
// with missing values, compared row by row: with the MARS evaluator where no input
// is missing, and everywhere with the evaluator under SPSS's missing-value rules (a
// hinge on a missing input is 0, a set test on one is system-missing; see
// PredictUnderRules). All models run in one PSPP process, one data set each.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "conformance/mars/mars_model_generator.h"
#include "core/common/model_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/mars_spss.h"
#include "core/mars/generated_file.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"

namespace kdk::conformance {
namespace {

constexpr std::uint32_t kModels = 60;
constexpr int kRows = 100;

// PSPP starts a new command at a line that begins with "+", "-" or ".": such a line
// is joined to the one before, in the copy PSPP runs (the saved file keeps its text).
std::string JoinedForPspp(const std::string& syntax) {
  std::string out;
  for (const std::string& line : SplitIntoLines(syntax)) {
    if (!out.empty() && !line.empty() && (line[0] == '+' || line[0] == '-' || line[0] == '.')) {
      out.pop_back();  // the "\n" before
      out.append(" ");
    }
    out.append(line).append("\n");
  }
  return out;
}

std::string ValueText(const std::optional<double>& value) {
  if (!value) return "";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", *value);
  return text;
}

struct ModelRun {
  MarsModel model;
  std::vector<InputRow> rows;
  std::string syntax;
  std::string output;  // the variable the syntax computes
  std::string csv_path;
};

class PsppFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("kdk_pspp_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // One PSPP run for every model: data, the syntax as generated (lines re-joined),
  // and the result saved as CSV.
  void RunInPspp(std::vector<ModelRun>& runs) {
    std::string script;
    for (size_t m = 0; m < runs.size(); ++m) {
      ModelRun& run = runs[m];
      run.csv_path = (folder_ / ("out" + std::to_string(m) + ".csv")).string();
      script += "NEW FILE.\nDATA LIST LIST (\",\") /";
      for (const std::string& name : run.model.input_names) script += " " + name;
      script += ".\nBEGIN DATA\n";
      for (const InputRow& row : run.rows) {
        for (size_t i = 0; i < row.size(); ++i) script += (i ? "," : "") + ValueText(row[i]);
        script += "\n";
      }
      script += "END DATA.\n" + JoinedForPspp(run.syntax) + "\nSAVE TRANSLATE /OUTFILE='" +
                run.csv_path + "' /TYPE=CSV /REPLACE /FIELDNAMES /CELLS=VALUES.\n";
    }
    const std::string script_path = (folder_ / "run.sps").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(script_path, script, error)) << error;
    const std::string log = (folder_ / "log.txt").string();
    // Generated syntax is in the code page of model text, as the engine tells PSPP.
    const std::string command = std::string(KDK_PSPP) +
                                " --syntax-encoding=windows-1252 -O format=txt -o '" + log + "' '" +
                                script_path + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    std::string log_text;
    ReadWholeFile(log, log_text, error);
    ASSERT_EQ(status, 0) << log_text;
    EXPECT_EQ(log_text.find("error"), std::string::npos) << log_text;
  }

  // The column `name` of the CSV, blank as missing.
  static std::vector<std::optional<double>> Column(const std::string& path,
                                                   const std::string& name) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    const std::vector<std::string> lines = SplitIntoLines(bytes);
    std::vector<std::optional<double>> values;
    if (lines.empty()) return values;
    const std::vector<std::string> header = SplitAt(lines[0], ',');
    const size_t column = std::find(header.begin(), header.end(), name) - header.begin();
    EXPECT_LT(column, header.size()) << lines[0];
    for (size_t l = 1; l < lines.size(); ++l) {
      const std::string cell = TrimBlanks(SplitAt(lines[l], ',').at(column));
      values.push_back(cell.empty() ? std::nullopt : std::optional<double>(std::stod(cell)));
    }
    return values;
  }

  std::filesystem::path folder_;
};

TEST_F(PsppFolder, GeneratedModelsComputeTheModel) {
  SilentMessages messages;
  std::vector<ModelRun> runs;
  std::vector<GeneratedMars> generated;
  for (std::uint32_t seed = 1; seed <= kModels; ++seed) {
    generated.push_back(GenerateMarsModel(seed));
    ModelRun run;
    ASSERT_TRUE(ParseMarsText(generated.back().text, run.model, messages)) << generated.back().text;
    run.rows = GenerateRows(generated.back(), run.model, seed, kRows);
    MarsSpssOptions options;
    options.include_header = seed % 2 == 0;
    // Output names that would overwrite an input, or be dropped with the basis
    // functions, are asked for now and then.
    if (seed % 3 == 0)
      options.output_field_name = StoredSpssOutputName(run.model.input_names.back());
    if (seed % 5 == 0)
      options.output_field_name = StoredSpssOutputName(run.model.basis_function_names[0]);
    run.output = MarsSpssOutputVariable(run.model, options.output_field_name);
    std::string error;
    ASSERT_TRUE(BuildMarsSpss(run.model, options, run.syntax, error)) << error;
    // As the file is written: lines trimmed, CR LF.
    run.syntax = GeneratedFileBytes(run.syntax);
    runs.push_back(std::move(run));
  }
  RunInPspp(runs);
  if (HasFatalFailure()) return;

  int rows = 0, with_missing = 0, equal = 0, missing_results = 0;
  for (size_t m = 0; m < runs.size(); ++m) {
    const ModelRun& run = runs[m];
    MarsEvaluator evaluator;
    std::string error;
    ASSERT_TRUE(evaluator.Compile(run.model, error)) << error;
    // PSPP writes the names in UTF-8.
    const auto results = Column(run.csv_path, Cp1252ToUtf8(run.output));
    const auto kept = Column(run.csv_path, Cp1252ToUtf8(run.model.input_names.back()));
    ASSERT_EQ(results.size(), run.rows.size()) << "model " << m + 1;
    ASSERT_EQ(kept.size(), run.rows.size()) << "model " << m + 1;
    for (size_t r = 0; r < run.rows.size(); ++r) {
      ASSERT_EQ(kept[r].has_value(), run.rows[r].back().has_value()) << "model " << m + 1;
      if (kept[r]) {
        ASSERT_TRUE(Close(*kept[r], *run.rows[r].back())) << "model " << m + 1;
      }
      bool any_missing = false;
      for (const auto& value : run.rows[r]) any_missing = any_missing || !value;
      const double expected = evaluator.Evaluate(run.rows[r]);
      const auto under_rules = PredictUnderRules(run.model, run.rows[r], MissingRules::Spss);
      const std::optional<double>& got = results[r];
      ++rows;
      with_missing += any_missing;
      missing_results += !got;
      equal += got && Close(*got, expected);
      if (!any_missing) {
        ASSERT_TRUE(got && Close(*got, expected))
            << "seed " << m + 1 << " row " << r << ": PSPP " << ValueText(got) << ", evaluator "
            << expected << "\n"
            << generated[m].text << "\n"
            << run.syntax;
      }
      ASSERT_EQ(got.has_value(), under_rules.has_value())
          << "seed " << m + 1 << " row " << r << "\n"
          << run.syntax;
      if (got) {
        ASSERT_TRUE(Close(*got, *under_rules)) << "seed " << m + 1 << " row " << r << ": PSPP "
                                               << *got << ", rules " << *under_rules << "\n"
                                               << run.syntax;
      }
    }
  }
  std::printf(
      "%u models, %d rows (%d with a missing input): %d equal to the evaluator, %d "
      "system-missing; every row as SPSS's missing-value rules define it\n",
      kModels, rows, with_missing, equal, missing_results);
  EXPECT_GT(with_missing, rows / 4);
  EXPECT_GT(equal, rows / 2);
}

}  // namespace
}  // namespace kdk::conformance
