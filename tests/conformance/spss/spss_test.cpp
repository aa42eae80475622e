// The SPSS engine with GNU PSPP, and generated SPSS syntax run by PSPP on .sav files it
// writes, against EvaluateNetwork and the MARS evaluator under SPSS's missing-value rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "core/common/model_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/program_names.h"
#include "core/export/code/smart_names.h"
#include "core/export/code/spss_data_match.h"
#include "core/export/generation_stamp.h"
#include "core/workspace.h"
#include "engines/spss/child_process.h"
#include "engines/spss/pspp_application.h"
#include "engines/spss/pspp_syntax.h"
#include "engines/spss/sav_dictionary.h"
#include "fakes/fake_ports.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

using kdk::testing::FixedClock;
using kdk::testing::RecordingMessagePort;
using Row = std::vector<std::optional<double>>;

bool RunPspp(const ScratchFolder& scratch, const std::string& syntax, std::string& error) {
  WriteText(scratch.File("helper.sps"), syntax);
  std::string out;
  if (RunCommand("pspp -b " + Quoted(scratch.File("helper.sps")), "", out) == 0) return true;
  error = "pspp failed:\n" + out + "\n" + syntax;
  return false;
}

bool WriteSavFile(const ScratchFolder& scratch, const std::string& path,
                  const std::vector<std::string>& names, const std::vector<Row>& rows,
                  std::string& error) {
  std::string syntax = "DATA LIST LIST /";
  for (const std::string& name : names) syntax += " " + name + " (F8.2)";
  syntax += ".\nBEGIN DATA\n";
  for (const Row& row : rows) {
    for (const auto& value : row) syntax += (value ? ExactText(*value) : ".") + " ";
    syntax += "\n";
  }
  return RunPspp(scratch, syntax + "END DATA.\nSAVE OUTFILE='" + path + "'.\n", error);
}

// One numeric column of a .sav file, read back through SAVE TRANSLATE to CSV at full
// precision (nullopt: system-missing).
bool ReadSavColumn(const ScratchFolder& scratch, const std::string& path, const std::string& column,
                   std::vector<std::optional<double>>& values, std::string& error) {
  const std::string csv = scratch.File("helper.csv");
  std::string text;
  if (!RunPspp(scratch,
               "GET FILE='" + path + "'.\nSAVE TRANSLATE /OUTFILE='" + csv +
                   "' /TYPE=CSV /FIELDNAMES /REPLACE /TEXTOPTIONS FORMAT=PLAIN.\n",
               error) ||
      !ReadWholeFile(csv, text, error)) {
    return false;
  }
  const std::vector<std::string> lines = SplitIntoLines(text);
  std::vector<std::string> names = SplitAt(ToLowerAscii(lines.at(0)), ',');
  const size_t index = std::find(names.begin(), names.end(), ToLowerAscii(column)) - names.begin();
  if (index == names.size()) return (error = "no column " + column), false;
  values.clear();
  for (size_t r = 1; r < lines.size(); ++r) {
    const std::string cell = TrimBlanks(SplitAt(lines[r], ',').at(index));
    values.push_back(cell.empty() ? std::nullopt : std::optional(std::stod(cell)));
  }
  return true;
}

// Joined lines, and errors named by the user's own line: the joined line 3 holds the
// user's lines 3 to 6, from columns 1, 15, 19 and 22.
TEST(PsppSyntax, LinesStartingWithPlusMinusOrDotJoinTheLineBeforeAndErrorsNameTheUsersLines) {
  const spss::JoinedSyntax joined = spss::JoinContinuationLines(
      "/*+ a comment\r\n+ not joined to a comment\r\nCOMPUTE y = 1\r\n+ x\r\n-2\r\n  .5 * z .\r\n"
      "EXECUTE .\r\n");
  EXPECT_EQ(joined.text,
            "/*+ a comment\n+ not joined to a comment\nCOMPUTE y = 1 + x -2 .5 * z .\nEXECUTE .\n");
  const std::string plain = spss::PlainPsppErrors(
      "/tmp/x/syntax.sps:4.3-4.9: error: EXECUTE: q.\n"
      "warning: Error encountered while ERROR=STOP is effective.\n"
      "/tmp/x/syntax.sps:4.3-4.9: error: EXECUTE: q.\n"
      "/tmp/x/syntax.sps:3.14: error: a.\n/tmp/x/syntax.sps:3.15-3.17: error: b.\n"
      "/tmp/x/syntax.sps:3.22: error: c.\n/tmp/x/syntax.sps:2: error: d.\n"
      "/tmp/x/run.sps:1: error: GET: cannot open.\n",
      "syntax.sps", joined);
  EXPECT_EQ(plain,
            "line 7: error: EXECUTE: q.\r\nline 3: error: a.\r\nline 4: error: b.\r\nline 6: "
            "error: c.\r\nline 2: error: d.\r\nerror: GET: cannot open.");
  EXPECT_EQ(spss::PsppQuoted("it's"), "'it''s'");
}

struct Outcome {
  bool ok = false;
  std::vector<std::string> messages;
  std::string result;
};

// The syntax run on a data file as the SPSS buttons run it (no viewer), from the match
// to the result.
Outcome Match(const SpssMatchRequest& request, spss::PsppOptions options = {}) {
  options.viewer_program.clear();
  spss::PsppSpssApplication application(options);
  RecordingMessagePort messages;
  NoBusyPointer busy;
  Outcome out{
      MatchSpssDataFile(request, application, messages, busy), {}, application.ResultPath()};
  for (const auto& message : messages.messages) out.messages.push_back(message.text);
  return out;
}

class SavFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = scratch_.File("people.sav");
    std::string error;
    ASSERT_TRUE(WriteSavFile(scratch_, data_, {"Age", "my_var", "IncomeLevelOfHousehold"},
                             {{30.0, 1.0, 2.0}, {std::nullopt, 4.0, 5.5}}, error))
        << error;
  }
  Outcome Run(const std::string& syntax, const spss::PsppOptions& options = {}) {
    return Match({data_, {{"age", "age"}, {"my var", "my_var"}}, syntax, scratch_.File("")},
                 options);
  }
  ScratchFolder scratch_;
  std::string data_;
};

TEST_F(SavFiles, DictionaryGivesTheNamesInFileOrderAndAClearMessageForOtherFiles) {
  std::vector<std::string> names;
  std::string error;
  ASSERT_TRUE(spss::ReadSavVariableNames(data_, names, error)) << error;
  EXPECT_EQ(names, (std::vector<std::string>{"Age", "my_var", "IncomeLevelOfHousehold"}));
  WriteText(scratch_.File("text.sav"), "Age,my_var\n1,2\n");  // a cut file: in the kdk tests
  for (const char* file : {"absent.sav", "text.sav"}) {
    error.clear();
    EXPECT_FALSE(spss::ReadSavVariableNames(scratch_.File(file), names, error));
    EXPECT_NE(error.find(file + std::string(" could not be read as SPSS data")), std::string::npos)
        << error;
  }
}

// PSPP absent, past the time limit, or refusing the syntax (named by the user's line):
// reported, and no result.
TEST_F(SavFiles, AFailedRunIsReportedAndLeavesNoResult) {
  const std::string slow = scratch_.File("slow-pspp");
  WriteText(slow, "#!/bin/sh\nexec sleep 30\n");
  std::filesystem::permissions(slow, std::filesystem::perms::owner_all);
  spss::PsppOptions options;
  options.time_limit = std::chrono::milliseconds(300);
  for (const std::string& program : {std::string("/nonexistent/pspp"), slow}) {
    options.pspp_program = program;
    const Outcome out = Run("COMPUTE y = 1 .", options);
    EXPECT_FALSE(out.ok);
    const std::vector<std::string> shown =
        program == slow
            ? std::vector<std::string>{"This file matches OK - the syntax script can be run.",
                                       "PSPP did not finish the syntax within 1 second "
                                       "and was stopped."}
            : std::vector<std::string>{"Problem"};
    EXPECT_EQ(out.messages, shown);
    EXPECT_EQ(out.result, "");
  }
  const Outcome out = Run("/* scoring\r\nCOMPUTE y = Age\r\n+ 1 .\r\nCOMPUTE z = nosuch * 2 .");
  EXPECT_FALSE(out.ok);
  const std::string& shown = out.messages.back();
  EXPECT_EQ(shown.find("PSPP could not run the syntax on " + data_ + ":\r\nline 4: "), 0u) << shown;
  EXPECT_NE(shown.find("nosuch"), std::string::npos) << shown;
  EXPECT_EQ(out.result, "");
  EXPECT_FALSE(std::filesystem::exists(scratch_.File("people_scored.sav")));
  EXPECT_EQ(spss::FindProgram("no-such-program-kdk"), "");
}

TEST_F(SavFiles, ResultGoesBesideTheDataAsANewFileEachTime) {
  std::string original, now, error;
  ASSERT_TRUE(ReadWholeFile(data_, original, error));
  for (const char* expected : {"people_scored.sav", "people_scored_2.sav"}) {
    const Outcome out = Run("COMPUTE y = Age * 2\r\n+ 1 .");
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.result, scratch_.File(expected));
    std::vector<std::optional<double>> y;
    ASSERT_TRUE(ReadSavColumn(scratch_, out.result, "y", y, error)) << error;
    ASSERT_EQ(y.size(), 2u);
    EXPECT_EQ(y[0], 61.0);
    EXPECT_FALSE(y[1].has_value());
  }
  ASSERT_TRUE(ReadWholeFile(data_, now, error));
  EXPECT_EQ(now, original);
}

// The syntax run as the load-SPSS-file windows run it, on a .sav file PSPP writes with
// the rows under `names` (every other one in upper case: matching ignores case); the
// result's `columns` read back (empty when the run failed).
std::vector<std::vector<std::optional<double>>> RunOnData(std::vector<std::string> names,
                                                          const std::vector<Row>& rows,
                                                          const std::vector<SpssInput>& inputs,
                                                          const std::string& syntax,
                                                          const std::vector<std::string>& columns) {
  ScratchFolder scratch;
  for (size_t i = 1; i < names.size(); i += 2) {
    for (char& c : names[i]) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  std::string error;
  EXPECT_TRUE(WriteSavFile(scratch, scratch.File("inputs.sav"), names, rows, error)) << error;
  spss::PsppOptions options;
  options.result_path = scratch.File("result.sav");
  options.replace_existing = true;
  const Outcome match = Match({scratch.File("inputs.sav"), inputs, syntax, {}}, options);
  EXPECT_TRUE(match.ok) << ::testing::PrintToString(match.messages) << syntax;
  if (!match.ok) return {};
  EXPECT_EQ(match.messages.back(), "Done!");
  std::vector<std::vector<std::optional<double>>> values(columns.size());
  for (size_t c = 0; c < columns.size(); ++c) {
    EXPECT_TRUE(ReadSavColumn(scratch, options.result_path, columns[c], values[c], error)) << error;
    EXPECT_EQ(values[c].size(), rows.size());
  }
  return values;
}

// Layouts C and D (A and B give way to C for SPSS), and C with inputs hundreds of
// ranges away (`reach` 4000: every tanh neuron saturates; 1: a tenth either side).
class NetworkSyntaxInPspp
    : public ::testing::TestWithParam<std::tuple<unsigned, std::pair<int, double>>> {};

TEST_P(NetworkSyntaxInPspp, ComputesTheNetwork) {
  const auto [index, layout] = GetParam();
  const auto [format, reach] = layout;
  // PSPP's data input takes no subnormal value: no input range that narrow.
  static const std::vector<ConformanceCase> cases =
      ConformanceCases(ConformanceSeed() + 7, 30, 0, {.subnormal_inputs = false});
  const ConformanceCase& item = cases.at(index);
  SCOPED_TRACE("seed " + std::to_string(ConformanceSeed()) + ", case " + item.name);
  // Inputs hundreds of ranges away from numbers near the largest double overflow.
  if (item.near_overflow && reach != 1) return;
  Workspace workspace;
  workspace.network = item.model;
  workspace.state.network_loaded = true;
  const NetworkModel& model = workspace.network;
  CodeExportSettings settings;
  ResetNames(settings, model);
  settings.code_type = CodeType::Spss;
  settings.equation_format = format;
  const std::vector<SpssInput> inputs = NetworkSpssInputs(settings, model);
  std::vector<std::string> variables;
  for (const SpssInput& input : inputs) variables.push_back(input.compared);
  std::vector<Row> rows;
  for (const auto& values : NetworkInputs(model, 12, ConformanceSeed() + index, reach)) {
    rows.emplace_back(values.begin(), values.end());
  }
  rows.push_back(rows.back());
  rows.back().front() = std::nullopt;
  FixedClock clock;
  RecordingMessagePort messages;
  const std::string syntax = GenerateCode(settings, workspace.network,
                                          MakeGenerationStamp(workspace.state, clock), messages);
  ASSERT_FALSE(syntax.empty());
  const auto results =
      RunOnData(variables, rows, inputs, syntax, {NameProgram(settings, model).output});
  if (results.empty() || results[0].size() != rows.size()) return;
  // The last row misses its first input: every sum it enters is system-missing, unless
  // a zero weight multiplies it (0), so the value stays defined when no neuron reaching
  // the output reads it.
  bool input_used = false;
  for (int k = 0; k + 1 < model.HiddenSlots(); ++k) {
    input_used |= model.wih[0][k] != 0 && model.who[k] != 0;
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::optional<double>& got = results[0][r];
    if (r + 1 == rows.size() && input_used) {
      EXPECT_FALSE(got.has_value());
      continue;
    }
    std::vector<double> values;
    for (const auto& value : rows[r]) values.push_back(value.value_or(0.0));
    const double want = Predicted(model, values).prediction;
    EXPECT_TRUE(got && NearPrediction(model, *got, want))
        << "row " << r << ": PSPP " << got.value_or(NAN) << ", EvaluateNetwork " << want;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, NetworkSyntaxInPspp,
                         ::testing::Combine(::testing::Range(0u, 30u),
                                            ::testing::Values(std::pair(kFormatC, 1.0),
                                                              std::pair(kFormatD, 1.0),
                                                              std::pair(kFormatC, 4000.0))));

class MarsSyntaxInPspp : public ::testing::TestWithParam<unsigned> {};

TEST_P(MarsSyntaxInPspp, SyntaxComputesTheModelUnderSpssRules) {
  const auto seed = static_cast<std::uint32_t>(ConformanceSeed()) + GetParam();
  const MarsCase mars = ReadMarsCase(seed, 40);
  const MarsModel& model = mars.model;
  const std::vector<Row>& rows = mars.rows;
  SCOPED_TRACE("MARS seed " + std::to_string(seed) + "\n" + mars.generated.text);
  RecordingMessagePort messages;
  MarsSpssOptions options;
  options.include_header = seed % 2 == 0;
  // Output names that would overwrite an input, or be dropped with the basis
  // functions, are asked for now and then.
  if (seed % 3 == 0) options.output_field_name = StoredSpssOutputName(model.input_names.back());
  if (seed % 5 == 0)
    options.output_field_name = StoredSpssOutputName(model.basis_function_names[0]);
  const std::string syntax = MarsSpssText(model, options, messages);
  // An input SPSS cannot hold as a variable is the data file's own name: refused.
  if (HasSpssRefusedInput(model)) {
    EXPECT_EQ(syntax, "");  // its message is the unit tests'
    return;
  }
  ASSERT_FALSE(syntax.empty());
  // The prediction, and the input the output is named like, which stays.
  const auto results =
      RunOnData(model.input_names, rows, MarsSpssInputs(model), syntax,
                {Cp1252ToUtf8(MarsSpssOutputVariable(model, options.output_field_name)),
                 Cp1252ToUtf8(model.input_names.back())});
  if (results.empty() || results[0].size() != rows.size() || results[1].size() != rows.size())
    return;
  for (size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(results[1][r], rows[r].back()) << "row " << r;
    const std::optional<double> rules = PredictUnderRules(model, rows[r], MissingRules::Spss);
    const std::optional<double>& got = results[0][r];
    ASSERT_EQ(got.has_value(), rules.has_value()) << "row " << r << "\n" << syntax;
    if (got) {
      EXPECT_TRUE(Close(*got, *rules)) << "row " << r << ": " << *got << ", " << *rules;
    }
    if (std::all_of(rows[r].begin(), rows[r].end(), [](auto& v) { return v.has_value(); })) {
      EXPECT_TRUE(got && Close(*got, mars.evaluator.Evaluate(rows[r]))) << "row " << r;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MarsSyntaxInPspp, ::testing::Range(0u, 40u));

}  // namespace
}  // namespace kdk::conformance
