#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk {

enum class NeuronType { NonLinear, Linear, Bias };

// "NonLinear", "Linear" or "Bias".
std::string_view NeuronTypeText(NeuronType type);

// One loaded feed-forward network with one hidden layer. Indexes are 0-based:
// inputs 0..N-1 with the input bias at row N of `wih`; hidden neurons 0..H-2 with
// the hidden bias at slot H-1.
struct NetworkModel {
  std::vector<std::string> input_names;
  std::string output_name;

  std::string data_source;
  std::string data_view;
  bool is_classifier = false;

  std::vector<double> max_norm, min_norm;  // per input, real units
  std::vector<double> max_seen, min_seen;  // per input, real units
  double max_norm_out = 0, min_norm_out = 0;
  double max_seen_out = 0, min_seen_out = 0;
  double max_seen_out_cl = 0, min_seen_out_cl = 0;  // normalised units

  std::vector<NeuronType> hidden_type;   // H slots; the last is Bias
  std::vector<std::vector<double>> wih;  // (N+1) rows x H columns; column H-1 is 0
  std::vector<double> who;               // H; the last is the output bias
  int linear_count = 0;
  std::string description;  // lines separated by CR LF

  int InputCount() const { return static_cast<int>(input_names.size()); }
  int HiddenSlots() const { return static_cast<int>(who.size()); }
  int HiddenCount() const { return HiddenSlots() - 1; }
};

// real = (v / 2 + 0.5) * (maximum - minimum) + minimum
double NormalisedToReal(double value, double maximum, double minimum);

}  // namespace kdk
