#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/network/network_model.h"

namespace kdk::conformance {

// A network, the input vectors it is checked on, and how its names are written.
struct ConformanceCase {
  std::string name;  // letters, digits and "_" only: it names programs and classes
  NetworkModel model;
  std::string output_field_name;  // the "Output Variable Name" as a user might type it
  bool smart_names = true;
  std::vector<std::vector<double>> inputs;
};

// Text that must never reach a generated program outside a comment: the hostile
// names, descriptions and paths carry it.
inline constexpr const char* kInjectedMark = "PWN-ED";

// Seeded random networks: 1 to 120 inputs, 0 to 70 hidden neurons, linear and tanh,
// zero and whole-number weights and biases, output ranges up to 1E10, and names,
// descriptions and paths drawn from keywords, library names, intermediate variable
// names, names that smart naming makes equal, comment terminators, quotes, line
// breaks and Windows-1252 bytes (0x80 to 0x9F too). The first cases are the extreme shapes.
std::vector<ConformanceCase> ConformanceCases(std::uint64_t seed, int count, int vectors_per_case);

}  // namespace kdk::conformance
