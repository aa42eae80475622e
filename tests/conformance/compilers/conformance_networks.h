#pragma once

#include <string>
#include <vector>

#include "core/network/network_model.h"

namespace kdk::conformance {

// A network and the input vectors it is checked on.
struct ConformanceCase {
  std::string name;  // letters, digits and "_" only: it names programs and classes
  NetworkModel model;
  std::vector<std::vector<double>> inputs;
};

// Regression and classifier, linear and non-linear neurons, zero weights, negative
// offsets, an output minimum of 0 and not, a single slot, one input and 40 inputs.
std::vector<ConformanceCase> ConformanceCases(int vectors_per_case);

}  // namespace kdk::conformance
