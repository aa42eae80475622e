#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/network/network_model.h"

namespace kdk {

struct NetworkPrediction {
  double prediction = 0;         // real units of the output
  double normalised_output = 0;  // -1..1 scale
  bool is_classifier = false;
  std::string class_text;  // "TRUE" or "FALSE" for a classifier, else ""
  double strength = 0;     // classifier only
};

// > 20: 1; < -20: -1; otherwise (e^s - e^-s) / (e^s + e^-s), each exponential separately.
double ClippedTanh(double s);

// Input i normalised to -1..1: ((x - m) / (M - m) - 0.5) * 2.
double NormaliseInput(double x, double maximum, double minimum);

// The name of the first input whose normalisation range is empty, or "" when every
// input can be normalised.
std::string FirstUnscalableInput(const NetworkModel& model);

// "The input X cannot be scaled: its minimum and maximum are both V." for an input
// whose range is empty; "" otherwise.
std::string UnscalableInputMessage(const NetworkModel& model);

// Predictions one after another with the arithmetic of EvaluateNetwork, without
// allocating per prediction. The model must outlive it, and every input must be
// scalable (FirstUnscalableInput empty) before Evaluate is called.
class NetworkEvaluator {
 public:
  explicit NetworkEvaluator(const NetworkModel& model);
  // `inputs` holds the model's N raw inputs.
  void Evaluate(std::span<const double> inputs, NetworkPrediction& result);

 private:
  const NetworkModel& model_;
  std::vector<double> normalised_;
  std::vector<double> hidden_;
};

// One prediction from N raw inputs. False, with `error` in plain words, when the
// number of inputs is wrong or an input's normalisation range is empty.
bool EvaluateNetwork(const NetworkModel& model, std::span<const double> inputs,
                     NetworkPrediction& result, std::string& error);

}  // namespace kdk
