// Generated SPSS syntax run by the SPSS engine (GNU PSPP) on .sav files and compared
// with the model's own arithmetic: EvaluateNetwork for networks, the MARS evaluator
// for MARS models, over seeded random models.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>

#include "conformance/compilers/conformance_networks.h"
#include "conformance/spss/pspp_test_files.h"
#include "conformance/spss/random_models.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/program_names.h"
#include "core/export/code/smart_names.h"
#include "core/export/code/spss_data_match.h"
#include "core/export/generation_stamp.h"
#include "core/workspace.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/evaluate_network.h"
#include "engines/spss/pspp_application.h"
#include "fakes/fake_ports.h"

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

class NetworkSyntaxInPspp : public ::testing::TestWithParam<unsigned> {};

// `reach` scales how far the inputs go beyond their ranges (1: a tenth either side).
void CheckNetworkLayouts(unsigned seed, std::initializer_list<int> formats, double reach = 1) {
  Workspace workspace;
  workspace.network = RandomNetwork(seed);
  // Every tenth network holds numbers near the largest double (inputs inside their
  // ranges; PSPP's data input takes no subnormal value).
  if (seed % 10 == 0 && reach == 1) {
    PushToTheOverflowEdge(workspace.network, kLargestWritableDouble, true, false);
  }
  workspace.state.network_loaded = true;
  workspace.state.model_path = "/models/random.kwf";
  const NetworkModel& model = workspace.network;
  // The data file has each input under the name the syntax reads (one layout per call:
  // A, B and C all give C's text).
  CodeExportSettings first;
  ResetNames(first, model);
  first.equation_format = *formats.begin();
  const std::vector<SpssInput> inputs = NetworkSpssInputs(first, model);

  ScratchFolder scratch;
  std::vector<std::string> variables;
  for (size_t i = 0; i < inputs.size(); ++i) {
    variables.push_back(InDataFileCase(inputs[i].compared, i));
  }
  std::vector<Row> rows = RandomNetworkRows(model, seed, 12, reach);
  Row with_missing = rows.back();
  with_missing.front() = std::nullopt;
  rows.push_back(with_missing);
  const std::string data = scratch.File("inputs.sav");
  std::string error;
  ASSERT_TRUE(WriteSavFile(scratch, data, variables, rows, error)) << error;

  FixedClock clock;
  RecordingMessagePort messages;
  std::string layout_c;
  for (int format : formats) {
    SCOPED_TRACE("format index " + std::to_string(format));
    CodeExportSettings settings;
    ResetNames(settings, model);
    settings.code_type = CodeType::Spss;
    settings.equation_format = format;
    ApplyCodeTypeSyntax(settings);
    const std::string syntax = GenerateCode(settings, workspace.network,
                                            MakeGenerationStamp(workspace.state, clock), messages);
    ASSERT_FALSE(syntax.empty());
    // As in the window, A and B give way to C for SPSS.
    if (format == kFormatA || format == kFormatB) {
      EXPECT_EQ(settings.equation_format, kFormatC);
      if (!layout_c.empty()) {
        EXPECT_EQ(syntax, layout_c);
      }
      layout_c = syntax;
      if (format == kFormatB) continue;
    } else if (format == kFormatC && !layout_c.empty()) {
      EXPECT_EQ(syntax, layout_c);
    }
    const std::string output = NameProgram(settings, model).output;
    const RunOutcome outcome =
        RunThroughEngine(scratch, data, inputs, syntax, output,
                         scratch.File("result" + std::to_string(format) + ".sav"));
    if (!outcome.ran) continue;
    ASSERT_EQ(outcome.values.size(), rows.size());
    for (size_t r = 0; r + 1 < rows.size(); ++r) {
      std::vector<double> values;
      for (const auto& value : rows[r]) values.push_back(*value);
      NetworkPrediction expected;
      ASSERT_TRUE(EvaluateNetwork(model, values, expected, error)) << error;
      ASSERT_TRUE(outcome.values[r].has_value()) << "row " << r;
      EXPECT_TRUE(CloseEnough(*outcome.values[r], expected.prediction))
          << "seed " << seed << " row " << r << ": PSPP " << *outcome.values[r]
          << ", EvaluateNetwork " << expected.prediction;
    }
    // A missing input makes every sum it enters system-missing; multiplied by a
    // zero weight it gives 0, so an input with no weight leaves the value defined.
    bool input_used = false;
    for (int k = 0; k + 1 < model.HiddenSlots(); ++k) input_used |= model.wih[0][k] != 0;
    if (input_used) {
      EXPECT_FALSE(outcome.values.back().has_value());
    } else {
      std::vector<double> values;
      for (const auto& value : rows.back()) values.push_back(value.value_or(0.0));
      NetworkPrediction expected;
      ASSERT_TRUE(EvaluateNetwork(model, values, expected, error)) << error;
      ASSERT_TRUE(outcome.values.back().has_value());
      EXPECT_TRUE(CloseEnough(*outcome.values.back(), expected.prediction));
    }
  }
}

// A and B give way to C for SPSS, as in the window: the same text, run once.
TEST_P(NetworkSyntaxInPspp, LayoutsABAndCComputeTheNetwork) {
  CheckNetworkLayouts(GetParam(), {kFormatA, kFormatB, kFormatC});
}

TEST_P(NetworkSyntaxInPspp, LayoutDComputesTheNetwork) {
  CheckNetworkLayouts(GetParam(), {kFormatD});
}

// Inputs hundreds of ranges away: every tanh neuron saturates.
TEST_P(NetworkSyntaxInPspp, FarOutsideTheRangesTheNeuronsSaturate) {
  CheckNetworkLayouts(GetParam(), {kFormatC}, 4000);
}

INSTANTIATE_TEST_SUITE_P(Seeds, NetworkSyntaxInPspp, ::testing::Range(1u, 31u));

// Every missing input of the row reaches the model only through missing-value
// indicators, which SPSS evaluates exactly as the evaluator does.
bool MissingOnlyInIndicators(const MarsModel& model, const Row& row) {
  for (int i = 0; i < model.InputCount(); ++i) {
    if (row[i]) continue;
    const std::string& name = model.input_names[i];
    for (const std::string& definition : model.basis_function_defs) {
      size_t at = definition.find("= ");
      while ((at = definition.find(name, at)) != std::string::npos) {
        const bool whole =
            (at == 0 || !std::isalnum(static_cast<unsigned char>(definition[at - 1]))) &&
            (at + name.size() >= definition.size() ||
             !(std::isalnum(static_cast<unsigned char>(definition[at + name.size()])) ||
               definition[at + name.size()] == '_'));
        const std::string after = definition.substr(at + name.size(), 4);
        if (whole && after != " > ." && after != " = .") return false;
        at += name.size();
      }
    }
  }
  return true;
}

class MarsSyntaxInPspp : public ::testing::TestWithParam<unsigned> {};

TEST_P(MarsSyntaxInPspp, SyntaxComputesTheEvaluatorsValues) {
  const unsigned seed = GetParam();
  const RandomMars random = RandomMarsText(seed);
  RecordingMessagePort messages;
  MarsModel model;
  ASSERT_TRUE(ParseMarsText(random.text, model, messages)) << random.text;
  MarsEvaluator evaluator;
  std::string error;
  ASSERT_TRUE(evaluator.Compile(model, error)) << error << "\n" << random.text;
  MarsSpssOptions options;
  const std::string syntax = MarsSpssText(model, options, messages);
  // An input SPSS cannot hold as a variable (a leading "_") cannot be renamed: it is
  // the data file's own name, so the syntax is refused with a message.
  const bool unusable = std::any_of(model.input_names.begin(), model.input_names.end(),
                                    [](const std::string& name) { return name.starts_with("_"); });
  if (unusable) {
    EXPECT_TRUE(syntax.empty());
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_NE(messages.messages.back().text.find("is not a name SPSS accepts"), std::string::npos);
    return;
  }
  ASSERT_FALSE(syntax.empty()) << random.text;

  std::mt19937 draw(seed);
  std::uniform_real_distribution<double> real(-25, 70);
  std::bernoulli_distribution missing(0.15);
  std::vector<Row> rows;
  for (int r = 0; r < 40; ++r) {
    Row row;
    for (const std::string& name : model.input_names) {
      const bool categorical = std::find(random.categorical.begin(), random.categorical.end(),
                                         name) != random.categorical.end();
      if (r > 0 && missing(draw)) {
        row.push_back(std::nullopt);
      } else if (categorical) {
        row.push_back(1 + draw() % 5);
      } else {
        const double value = real(draw);
        row.push_back(r % 3 == 0 ? std::round(value * 4) / 4 : value);
      }
    }
    rows.push_back(row);
  }
  ScratchFolder scratch;
  std::vector<std::string> variables;
  for (size_t i = 0; i < model.input_names.size(); ++i) {
    variables.push_back(InDataFileCase(model.input_names[i], i));
  }
  const std::string data = scratch.File("inputs.sav");
  ASSERT_TRUE(WriteSavFile(scratch, data, variables, rows, error)) << error;
  const RunOutcome outcome =
      RunThroughEngine(scratch, data, MarsSpssInputs(model), syntax,
                       SpssOutputVariable(options.output_field_name), scratch.File("result.sav"));
  if (!outcome.ran) return;
  ASSERT_EQ(outcome.values.size(), rows.size());
  int compared_with_missing = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    // Every row follows SPSS's own missing-value rules.
    const std::optional<double> spss_rules = SpssRulesValue(random, model.input_names, rows[r]);
    EXPECT_EQ(outcome.values[r].has_value(), spss_rules.has_value()) << "row " << r;
    if (outcome.values[r] && spss_rules) {
      EXPECT_TRUE(CloseEnough(*outcome.values[r], *spss_rules))
          << "seed " << seed << " row " << r << ": PSPP " << *outcome.values[r] << ", SPSS rules "
          << *spss_rules;
    }
    bool any_missing = false;
    for (const auto& value : rows[r]) any_missing = any_missing || !value;
    if (any_missing && !MissingOnlyInIndicators(model, rows[r])) continue;
    const double expected = evaluator.Evaluate(rows[r]);
    ASSERT_TRUE(outcome.values[r].has_value()) << "row " << r << "\n" << syntax;
    EXPECT_TRUE(CloseEnough(*outcome.values[r], expected))
        << "seed " << seed << " row " << r << ": PSPP " << *outcome.values[r] << ", evaluator "
        << expected << "\n"
        << random.text;
    compared_with_missing += any_missing;
  }
  RecordProperty("rows_with_missing_compared", compared_with_missing);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MarsSyntaxInPspp, ::testing::Range(1u, 41u));

}  // namespace
}  // namespace kdk::conformance
