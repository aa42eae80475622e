#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/network_expression.h"
#include "core/export/generation_stamp.h"
#include "core/network/network_model.h"
#include "core/workspace.h"
#include "fakes/fake_ports.h"

namespace kdk::testing {

// Two inputs ("2nd input" is renamed by smart names), one tanh neuron with a zero
// input weight, one linear neuron with a zero bias and a zero offset, and weights
// that are exact in binary so every coefficient's text is known.
inline NetworkModel CodeTestNetwork() {
  NetworkModel model;
  model.input_names = {"2nd input", "size"};
  model.output_name = "price";
  model.data_source = "houses.csv";
  model.data_view = "all rows";
  model.max_norm = {4, 1};
  model.min_norm = {0, -1};
  model.max_seen = {3.5, 0.75};
  model.min_seen = {0.5, -0.25};
  model.max_norm_out = 10;
  model.min_norm_out = 0;
  model.max_seen_out = 9.5;
  model.min_seen_out = 1.5;
  model.hidden_type = {NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias};
  model.wih = {{0.5, -1, 0}, {0, 2, 0}, {0.25, 0, 0}};
  model.who = {1.5, -0.5, 0.75};
  model.linear_count = 1;
  return model;
}

// A wide network: inputs x0, x1, ... on the range -0.75 to 1.25 (seen the same), tanh
// neurons, every input weight `weight`, every output weight `out`.
inline NetworkModel WideNetwork(int inputs, int hidden, double weight, double out) {
  NetworkModel model = CodeTestNetwork();
  model.input_names.clear();
  for (int i = 0; i < inputs; ++i) model.input_names.push_back("x" + std::to_string(i));
  model.max_norm.assign(inputs, 1.25);
  model.min_norm.assign(inputs, -0.75);
  model.max_seen = model.max_norm;
  model.min_seen = model.min_norm;
  model.wih.assign(inputs + 1, std::vector<double>(hidden + 1, weight));
  for (auto& row : model.wih) row.back() = 0;
  model.who.assign(hidden + 1, out);
  model.hidden_type.assign(hidden, NeuronType::NonLinear);
  model.hidden_type.push_back(NeuronType::Bias);
  model.linear_count = 0;
  return model;
}

inline Workspace CodeTestWorkspace() {
  Workspace workspace;
  workspace.network = CodeTestNetwork();
  workspace.state.model_type = 1;
  workspace.state.model_path = "/models/house.kwf";
  workspace.state.model_name = "house";
  workspace.state.file_title = "house.kwf";
  workspace.state.network_loaded = true;
  return workspace;
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

// Lines joined with CR LF, as generated text is.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// Generates from the test network (model_, which a test may change) with a fixed clock.
class CodeTest : public ::testing::Test {
 protected:
  std::string Code(const CodeExportSettings& settings) {
    return GenerateCode(settings, model_, Stamp(), messages_);
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
  GenerationStamp Stamp() { return MakeGenerationStamp(workspace_.state, clock_); }
  static bool Has(const std::string& text, std::string_view piece) {
    return text.find(piece) != std::string::npos;
  }
  Workspace workspace_ = CodeTestWorkspace();
  NetworkModel& model_ = workspace_.network;
  CodePlan plan_;
  FixedClock clock_;
  RecordingMessagePort messages_;
};

}  // namespace kdk::testing
