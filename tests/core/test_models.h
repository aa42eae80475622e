#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/network_expression.h"
#include "core/export/generation_stamp.h"
#include "core/mars/mars_model.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/network_model.h"
#include "fakes/fake_ports.h"

namespace kdk::testing {

inline const GenerationStamp kTestStamp{"C:\\models\\house.kwf", "Fri, Dec 4 2026, 9:15 AM",
                                        "Sat, Dec 5 2026, 5:07 PM"};

// Two inputs ("2nd input" is renamed by smart names), one tanh neuron with a zero
// input weight, one linear neuron with a zero bias and a zero offset, and weights
// that are exact in binary so every coefficient's text is known.
inline NetworkModel CodeTestNetwork(bool classifier = false) {
  NetworkModel model;
  model.input_names = {"2nd input", "size"};
  model.output_name = "price";
  model.data_source = "houses.csv";
  model.data_view = "all rows";
  model.is_classifier = classifier;
  model.max_norm = {4, 1};
  model.min_norm = {0, -1};
  model.max_seen = {3.5, 0.75};
  model.min_seen = {0.5, -0.25};
  model.max_norm_out = 10;
  model.max_seen_out = 9.5;
  model.min_seen_out = 1.5;
  model.max_seen_out_cl = 0.75;
  model.min_seen_out_cl = -0.5;
  model.hidden_type = {NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias};
  model.wih = {{0.5, -1, 0}, {0, 2, 0}, {0.25, 0, 0}};
  model.who = {1.5, -0.5, 0.75};
  model.linear_count = 1;
  return model;
}

// Inputs x0, x1, ... on the range -0.75 to 1.25 (seen the same), tanh neurons, every
// input weight `weight`, every output weight `out`.
inline NetworkModel WideNetwork(int inputs, int hidden, double weight, double out) {
  NetworkModel model = CodeTestNetwork();
  model.input_names.clear();
  for (int i = 0; i < inputs; ++i) model.input_names.push_back("x" + std::to_string(i));
  model.max_norm = model.max_seen = std::vector<double>(inputs, 1.25);
  model.min_norm = model.min_seen = std::vector<double>(inputs, -0.75);
  model.wih.assign(inputs + 1, std::vector<double>(hidden + 1, weight));
  for (auto& row : model.wih) row.back() = 0;
  model.who.assign(hidden + 1, out);
  model.hidden_type.assign(hidden, NeuronType::NonLinear);
  model.hidden_type.push_back(NeuronType::Bias);
  model.linear_count = 0;
  return model;
}

// The window's state after activation with the given code type chosen.
inline CodeExportSettings SettingsFor(CodeType type, int format = kFormatA) {
  CodeExportSettings settings;
  settings.output_field_name = "Kestrium_price";
  settings.root_name = "Var";
  settings.sas_source_data = "source_data";
  settings.sas_new_data = "new_data";
  settings.code_type = type;
  settings.equation_format = format;
  return settings;
}

inline std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

// Generates from the test network (model_, which a test may change).
class CodeTest : public ::testing::Test {
 protected:
  std::string Code(const CodeExportSettings& settings) {
    return GenerateCode(settings, model_, kTestStamp, messages_);
  }
  // The expression alone; plan_ holds its names and temporaries.
  std::string Expression(const CodeExportSettings& settings) {
    plan_ = {};
    return NetworkExpression(settings, model_, plan_, messages_);
  }
  CodePlan Plan(const CodeExportSettings& settings) {
    Expression(settings);
    return plan_;
  }
  static bool Has(const std::string& text, std::string_view piece) {
    return text.find(piece) != std::string::npos;
  }
  NetworkModel model_ = CodeTestNetwork();
  CodePlan plan_;
  RecordingMessagePort messages_;
};

// The worked example: hinges on X1, a set test on X2 times BF1, indicators on X3.
inline const char* const kWorkedExample =
    "BF1 = max(0, X1 - 2.5);\r\n"
    "BF2 = max(0, 2.5 - X1);\r\n"
    "BF3 = ( X2 = 1 OR X2 = 3) * BF1;\r\n"
    "BF4 = ( X3 > .);\r\n"
    "BF5 = ( X3 = .);\r\n"
    "\r\n"
    "Y = 0.5 + 1.2 * BF1 - 0.7 * BF3 + 0.2 * BF4;\r\n"
    "\r\n"
    "MODEL Y = BF1 BF3 BF4;\r\n";

inline MarsModel ParseText(const std::string& text, RecordingMessagePort& messages) {
  MarsModel model;
  ParseMarsText(text, model, messages);
  return model;
}

// An exported text of these definitions, output Y.
inline std::string MarsText(const std::string& definitions,
                            const std::string& equation = "1 + 2 * BF1",
                            const std::string& terms = "BF1") {
  return definitions + "\r\nY = " + equation + ";\r\n\r\nMODEL Y = " + terms + ";\r\n";
}

// The text read, failing the test if it is refused.
inline MarsModel ParseOk(const std::string& text) {
  RecordingMessagePort messages;
  MarsModel model;
  EXPECT_TRUE(ParseMarsText(text, model, messages)) << text.substr(0, 300);
  return model;
}

}  // namespace kdk::testing
