// Generated SPSS syntax run by the SPSS engine (GNU PSPP) on .sav files and compared
// with the model's own arithmetic, over the shared seeded models (tests/support;
// KDK_CONFORMANCE_SEED picks another seed): EvaluateNetwork for networks; for MARS
// models the evaluator where no input is missing and, on every row, the evaluator
// under SPSS's missing-value rules (PredictUnderRules).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "conformance/spss/pspp_test_files.h"
#include "core/common/model_text.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/program_names.h"
#include "core/export/code/smart_names.h"
#include "core/export/code/spss_data_match.h"
#include "core/export/generation_stamp.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/evaluate_network.h"
#include "core/workspace.h"
#include "engines/spss/pspp_application.h"
#include "fakes/fake_ports.h"
#include "support/mars_models.h"
#include "support/networks.h"

namespace kdk::conformance {
namespace {

using kdk::testing::FixedClock;
using kdk::testing::RecordingMessagePort;

// Variable names in the data file: the wanted name in changing case, so that
// matching is shown to ignore case.
std::string InDataFileCase(const std::string& name, size_t index) {
  std::string result = name;
  if (index % 2 == 1) {
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return result;
}

struct RunOutcome {
  bool ran = false;
  std::vector<std::optional<double>> values;
};

// The load-SPSS-file path of the windows, from the match to the result file.
RunOutcome RunThroughEngine(const ScratchFolder& scratch, const std::string& data,
                            const std::vector<SpssInput>& inputs, const std::string& syntax,
                            const std::string& output_variable, const std::string& result) {
  RunOutcome outcome;
  spss::PsppOptions options;
  options.viewer_program.clear();
  options.result_path = result;
  options.replace_existing = true;
  spss::PsppSpssApplication application(options);
  RecordingMessagePort messages;
  NoBusyPointer busy;
  SpssMatchRequest request{data, inputs, syntax, {}};
  outcome.ran = MatchSpssDataFile(request, application, messages, busy);
  std::string shown;
  for (const auto& message : messages.messages) shown += message.text + "\n";
  EXPECT_TRUE(outcome.ran) << shown << syntax;
  if (!outcome.ran) return outcome;
  EXPECT_EQ(messages.messages.back().text, "Done!");
  std::string error;
  EXPECT_TRUE(ReadSavColumn(scratch, result, output_variable, outcome.values, error)) << error;
  return outcome;
}

constexpr int kNetworks = 30;

const ConformanceCase& NetworkCase(unsigned index) {
  // PSPP's data input takes no subnormal value: no input range that narrow.
  static const std::vector<ConformanceCase> cases =
      ConformanceCases(ConformanceSeed() + 7, kNetworks, 0, {.subnormal_inputs = false});
  return cases.at(index);
}

class NetworkSyntaxInPspp : public ::testing::TestWithParam<unsigned> {};

// `reach` scales how far the inputs go beyond their ranges (1: a tenth either side).
void CheckNetworkLayout(unsigned index, int format, double reach = 1) {
  const ConformanceCase& item = NetworkCase(index);
  SCOPED_TRACE("seed " + std::to_string(ConformanceSeed()) + ", case " + item.name);
  // Inputs hundreds of ranges away from numbers near the largest double overflow.
  if (item.near_overflow && reach != 1) return;
  Workspace workspace;
  workspace.network = item.model;
  workspace.state.network_loaded = true;
  workspace.state.model_path = "/models/random.kwf";
  const NetworkModel& model = workspace.network;
  // The data file has each input under the name the syntax reads.
  CodeExportSettings settings;
  ResetNames(settings, model);
  settings.code_type = CodeType::Spss;
  settings.equation_format = format;
  const std::vector<SpssInput> inputs = NetworkSpssInputs(settings, model);

  ScratchFolder scratch;
  std::vector<std::string> variables;
  for (size_t i = 0; i < inputs.size(); ++i) {
    variables.push_back(InDataFileCase(inputs[i].compared, i));
  }
  std::vector<Row> rows;
  for (const auto& values : NetworkInputs(model, 12, ConformanceSeed() + index, reach)) {
    rows.emplace_back(values.begin(), values.end());
  }
  Row with_missing = rows.back();
  with_missing.front() = std::nullopt;
  rows.push_back(with_missing);
  const std::string data = scratch.File("inputs.sav");
  std::string error;
  ASSERT_TRUE(WriteSavFile(scratch, data, variables, rows, error)) << error;

  // The folded constants carry 15 digits of the output range, which may be 1E10 wide.
  const double range = std::fabs(model.max_norm_out - model.min_norm_out);
  const auto near = [range](double got, double want) {
    return std::fabs(got - want) <= 1e-12 * std::max({1.0, std::fabs(want), range});
  };
  FixedClock clock;
  RecordingMessagePort messages;
  const std::string syntax = GenerateCode(settings, workspace.network,
                                          MakeGenerationStamp(workspace.state, clock), messages);
  ASSERT_FALSE(syntax.empty());
  const std::string output = NameProgram(settings, model).output;
  const RunOutcome outcome =
      RunThroughEngine(scratch, data, inputs, syntax, output, scratch.File("result.sav"));
  if (!outcome.ran) return;
  ASSERT_EQ(outcome.values.size(), rows.size());
  for (size_t r = 0; r + 1 < rows.size(); ++r) {
    std::vector<double> values;
    for (const auto& value : rows[r]) values.push_back(*value);
    NetworkPrediction expected;
    ASSERT_TRUE(EvaluateNetwork(model, values, expected, error)) << error;
    ASSERT_TRUE(outcome.values[r].has_value()) << "row " << r;
    EXPECT_TRUE(near(*outcome.values[r], expected.prediction))
        << "row " << r << ": PSPP " << *outcome.values[r] << ", EvaluateNetwork "
        << expected.prediction;
  }
  // A missing input makes every sum it enters system-missing; multiplied by a
  // zero weight it gives 0, so an input with no weight on a neuron that reaches the
  // output leaves the value defined.
  bool input_used = false;
  for (int k = 0; k + 1 < model.HiddenSlots(); ++k) {
    input_used |= model.wih[0][k] != 0 && model.who[k] != 0;
  }
  if (input_used) {
    EXPECT_FALSE(outcome.values.back().has_value());
  } else {
    std::vector<double> values;
    for (const auto& value : rows.back()) values.push_back(value.value_or(0.0));
    NetworkPrediction expected;
    ASSERT_TRUE(EvaluateNetwork(model, values, expected, error)) << error;
    ASSERT_TRUE(outcome.values.back().has_value());
    EXPECT_TRUE(near(*outcome.values.back(), expected.prediction));
  }
}

// A and B give way to C for SPSS (the unit tests show it): C and D run.
TEST_P(NetworkSyntaxInPspp, LayoutCComputesTheNetwork) {
  CheckNetworkLayout(GetParam(), kFormatC);
}

TEST_P(NetworkSyntaxInPspp, LayoutDComputesTheNetwork) {
  CheckNetworkLayout(GetParam(), kFormatD);
}

// Inputs hundreds of ranges away: every tanh neuron saturates.
TEST_P(NetworkSyntaxInPspp, FarOutsideTheRangesTheNeuronsSaturate) {
  CheckNetworkLayout(GetParam(), kFormatC, 4000);
}

INSTANTIATE_TEST_SUITE_P(Cases, NetworkSyntaxInPspp, ::testing::Range(0u, unsigned{kNetworks}));

class MarsSyntaxInPspp : public ::testing::TestWithParam<unsigned> {};

TEST_P(MarsSyntaxInPspp, SyntaxComputesTheModelUnderSpssRules) {
  const auto seed = static_cast<std::uint32_t>(ConformanceSeed()) + GetParam();
  const GeneratedMars generated = GenerateMarsModel(seed);
  SCOPED_TRACE("MARS seed " + std::to_string(seed) + "\n" + generated.text);
  RecordingMessagePort messages;
  MarsModel model;
  ASSERT_TRUE(ParseMarsText(generated.text, model, messages));
  MarsEvaluator evaluator;
  std::string error;
  ASSERT_TRUE(evaluator.Compile(model, error)) << error;
  MarsSpssOptions options;
  options.include_header = seed % 2 == 0;
  // Output names that would overwrite an input, or be dropped with the basis
  // functions, are asked for now and then.
  if (seed % 3 == 0) options.output_field_name = StoredSpssOutputName(model.input_names.back());
  if (seed % 5 == 0) {
    options.output_field_name = StoredSpssOutputName(model.basis_function_names[0]);
  }
  const std::string syntax = MarsSpssText(model, options, messages);
  // An input SPSS cannot hold as a variable cannot be renamed: it is the data file's
  // own name, so the syntax is refused with a message.
  if (HasSpssRefusedInput(model)) {
    EXPECT_TRUE(syntax.empty());
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_NE(messages.messages.back().text.find("is not a name SPSS accepts"), std::string::npos);
    return;
  }
  ASSERT_FALSE(syntax.empty());
  const std::vector<Row> rows = GenerateRows(generated, model, seed, 40);
  ScratchFolder scratch;
  std::vector<std::string> variables;
  for (size_t i = 0; i < model.input_names.size(); ++i) {
    variables.push_back(InDataFileCase(model.input_names[i], i));
  }
  const std::string data = scratch.File("inputs.sav");
  ASSERT_TRUE(WriteSavFile(scratch, data, variables, rows, error)) << error;
  const std::string output = MarsSpssOutputVariable(model, options.output_field_name);
  const std::string result = scratch.File("result.sav");
  const RunOutcome outcome =
      RunThroughEngine(scratch, data, MarsSpssInputs(model), syntax, Cp1252ToUtf8(output), result);
  if (!outcome.ran) return;
  ASSERT_EQ(outcome.values.size(), rows.size());
  std::vector<std::optional<double>> kept;  // the input the output is named like stays
  ASSERT_TRUE(ReadSavColumn(scratch, result, Cp1252ToUtf8(variables.back()), kept, error)) << error;
  for (size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(kept.at(r), rows[r].back()) << "row " << r;
    const std::optional<double> rules = PredictUnderRules(model, rows[r], MissingRules::Spss);
    const std::optional<double>& got = outcome.values[r];
    ASSERT_EQ(got.has_value(), rules.has_value()) << "row " << r << "\n" << syntax;
    if (got) {
      EXPECT_TRUE(Close(*got, *rules)) << "row " << r << ": " << *got << ", " << *rules;
    }
    if (std::all_of(rows[r].begin(), rows[r].end(), [](auto& v) { return v.has_value(); })) {
      EXPECT_TRUE(got && Close(*got, evaluator.Evaluate(rows[r]))) << "row " << r;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MarsSyntaxInPspp, ::testing::Range(0u, 40u));

}  // namespace
}  // namespace kdk::conformance
