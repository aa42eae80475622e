#include "core/network/network_model.h"

namespace kdk {

std::string_view NeuronTypeText(NeuronType type) {
  switch (type) {
    case NeuronType::NonLinear:
      return "NonLinear";
    case NeuronType::Linear:
      return "Linear";
    case NeuronType::Bias:
      return "Bias";
  }
  return "Bias";
}

double NormalisedToReal(double value, double maximum, double minimum) {
  return (value / 2 + 0.5) * (maximum - minimum) + minimum;
}

}  // namespace kdk
