#include "conformance_networks.h"

#include <random>

namespace kdk::conformance {

namespace {

struct Shape {
  std::string name;
  int inputs;
  int hidden;  // neurons, not counting the bias slot
  int linear;  // how many of them are linear (the first ones)
  bool classifier;
  double min_norm_out;
  double max_norm_out;
  double zero_weight_share;
};

NetworkModel MakeNetwork(const Shape& shape, std::mt19937_64& random) {
  std::uniform_real_distribution<double> weight(-1.5, 1.5);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_real_distribution<double> low(-50, 50);
  std::uniform_real_distribution<double> width(0.5, 200);
  NetworkModel model;
  const int slots = shape.hidden + 1;
  for (int i = 0; i < shape.inputs; ++i) {
    // Blanks and dots are cleaned by smart names into names every language accepts.
    model.input_names.push_back(i % 3 == 0 ? "in put." + std::to_string(i + 1)
                                           : "x" + std::to_string(i + 1));
    const double minimum = low(random);
    const double maximum = minimum + width(random);
    model.min_norm.push_back(minimum);
    model.max_norm.push_back(maximum);
    model.min_seen.push_back(minimum + 0.1 * (maximum - minimum));
    model.max_seen.push_back(maximum - 0.1 * (maximum - minimum));
  }
  model.output_name = shape.classifier ? "default flag" : "value";
  model.is_classifier = shape.classifier;
  model.min_norm_out = shape.min_norm_out;
  model.max_norm_out = shape.max_norm_out;
  model.min_seen_out = shape.min_norm_out;
  model.max_seen_out = shape.max_norm_out;
  model.max_seen_out_cl = 0.9;
  model.min_seen_out_cl = -0.8;
  for (int k = 0; k < shape.hidden; ++k) {
    model.hidden_type.push_back(k < shape.linear ? NeuronType::Linear : NeuronType::NonLinear);
  }
  model.hidden_type.push_back(NeuronType::Bias);
  model.linear_count = shape.linear;
  model.wih.assign(shape.inputs + 1, std::vector<double>(slots, 0.0));
  for (int i = 0; i <= shape.inputs; ++i) {
    for (int k = 0; k < shape.hidden; ++k) {
      model.wih[i][k] = unit(random) < shape.zero_weight_share ? 0.0 : weight(random);
    }
  }
  for (int k = 0; k < slots; ++k) model.who.push_back(weight(random));
  // The output bias stays off zero: layout D leaves a zero output bias undeclared.
  if (model.who.back() == 0) model.who.back() = 0.125;
  return model;
}

std::vector<std::vector<double>> MakeInputs(const NetworkModel& model, int count,
                                            std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(-0.1, 1.1);
  std::vector<std::vector<double>> vectors;
  for (int v = 0; v < count; ++v) {
    std::vector<double> values;
    for (size_t i = 0; i < model.input_names.size(); ++i) {
      const double span = model.max_norm[i] - model.min_norm[i];
      // The first vector sits on every input's minimum (offsets cancel exactly).
      values.push_back(v == 0 ? model.min_norm[i] : model.min_norm[i] + unit(random) * span);
    }
    vectors.push_back(values);
  }
  return vectors;
}

}  // namespace

std::vector<ConformanceCase> ConformanceCases(int vectors_per_case) {
  const std::vector<Shape> shapes = {
      {"regression", 3, 4, 1, false, 45000.5, 950000.25, 0.2},
      {"classifier", 4, 3, 0, true, 0, 1, 0.2},
      {"linear_only", 2, 2, 2, false, -20.5, 30.75, 0.0},
      {"single_slot", 2, 0, 0, false, 3.5, 7.25, 0.0},
      {"one_input", 1, 2, 0, false, 0, 100, 0.0},
      {"forty_inputs", 40, 3, 1, false, -1000.5, 2500.5, 0.25},
  };
  std::mt19937_64 random(20040503);
  std::vector<ConformanceCase> cases;
  for (const Shape& shape : shapes) {
    ConformanceCase item;
    item.name = shape.name;
    item.model = MakeNetwork(shape, random);
    item.inputs = MakeInputs(item.model, vectors_per_case, random);
    cases.push_back(std::move(item));
  }
  // Large weights drive some neurons past the clipping of tanh at +-20.
  ConformanceCase& big = cases[0];
  for (auto& row : big.model.wih) {
    if (row.size() > 3) row[3] *= 40;
  }
  return cases;
}

}  // namespace kdk::conformance
