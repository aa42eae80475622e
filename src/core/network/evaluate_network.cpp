#include "core/network/evaluate_network.h"

#include <algorithm>
#include <cmath>

#include "core/common/number_text.h"

namespace kdk {

double ClippedTanh(double s) {
  if (s > 20) return 1;
  if (s < -20) return -1;
  double up = std::exp(s);
  double down = std::exp(-s);
  return (up - down) / (up + down);
}

double NormaliseInput(double x, double maximum, double minimum) {
  return ((x - minimum) / (maximum - minimum) - 0.5) * 2;
}

std::string FirstUnscalableInput(const NetworkModel& model) {
  for (int i = 0; i < model.InputCount(); ++i) {
    if (model.max_norm[i] == model.min_norm[i]) return model.input_names[i];
  }
  return {};
}

std::string UnscalableInputMessage(const NetworkModel& model) {
  for (int i = 0; i < model.InputCount(); ++i) {
    if (model.max_norm[i] == model.min_norm[i]) {
      return "The input " + model.input_names[i] +
             " cannot be scaled: its minimum and maximum are both " +
             NumberText(model.max_norm[i]) + ".";
    }
  }
  return {};
}

NetworkEvaluator::NetworkEvaluator(const NetworkModel& model)
    : model_(model),
      normalised_(static_cast<size_t>(model.InputCount()) + 1),
      hidden_(static_cast<size_t>(model.HiddenSlots())) {}

void NetworkEvaluator::Evaluate(std::span<const double> inputs, NetworkPrediction& result) {
  const NetworkModel& model = model_;
  const int n = model.InputCount();
  const int h = model.HiddenSlots();
  std::vector<double>& xn = normalised_;
  for (int i = 0; i < n; ++i)
    xn[i] = NormaliseInput(inputs[i], model.max_norm[i], model.min_norm[i]);
  xn[n] = 1;

  // Row by row, so the weights are read in memory order; each neuron's sum still
  // adds its terms in input order, bias last, starting from 0.
  std::vector<double>& hidden = hidden_;
  std::fill(hidden.begin(), hidden.end(), 0.0);
  for (int i = 0; i <= n; ++i) {
    const std::vector<double>& row = model.wih[i];
    for (int k = 0; k < h - 1; ++k) hidden[k] += row[k] * xn[i];
  }
  for (int k = 0; k < h - 1; ++k) {
    if (model.hidden_type[k] == NeuronType::NonLinear) hidden[k] = ClippedTanh(hidden[k]);
  }
  hidden[h - 1] = 1;

  double out = 0;
  for (int k = 0; k < h; ++k) out += hidden[k] * model.who[k];

  result.normalised_output = out;
  result.prediction =
      (out + 1) / 2 * (model.max_norm_out - model.min_norm_out) + model.min_norm_out;
  result.is_classifier = model.is_classifier;
  result.class_text.clear();
  result.strength = 0;
  if (model.is_classifier) {
    double divisor = out > 0 ? std::fabs(model.max_seen_out_cl) : std::fabs(model.min_seen_out_cl);
    result.class_text = out > 0 ? "TRUE" : "FALSE";
    result.strength = divisor == 0 ? 0 : out / divisor;
  }
}

bool EvaluateNetwork(const NetworkModel& model, std::span<const double> inputs,
                     NetworkPrediction& result, std::string& error) {
  const int n = model.InputCount();
  if (static_cast<int>(inputs.size()) != n) {
    error = "The network has " + std::to_string(n) + " inputs but " +
            std::to_string(inputs.size()) + " values were given.";
    return false;
  }
  error = UnscalableInputMessage(model);
  if (!error.empty()) return false;

  NetworkEvaluator(model).Evaluate(inputs, result);
  return true;
}

}  // namespace kdk
