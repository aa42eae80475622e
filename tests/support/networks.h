#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/network/evaluate_network.h"
#include "core/network/network_model.h"

namespace kdk::conformance {

// A network, the input vectors it is checked on, and how its names are written.
struct ConformanceCase {
  std::string name;  // letters, digits and "_" only: it names programs and classes
  NetworkModel model;
  std::string output_field_name;  // the "Output Variable Name" as a user might type it
  bool smart_names = true;
  bool near_overflow = false;          // numbers near the largest a program holds
  bool past_single_precision = false;  // Fortran's REAL cannot hold its numbers
  std::vector<std::vector<double>> inputs;
};

// Text that must never reach a generated program outside a comment.
inline constexpr const char* kInjectedMark = "PWN-ED";

// The suites' seed: KDK_CONFORMANCE_SEED when set, else a fixed one.
std::uint64_t ConformanceSeed();

// A double as text that reads back as the same double ("%.17g").
std::string ExactText(double value);

// The engine's own prediction; throws when the evaluator refuses the inputs.
NetworkPrediction Predicted(const NetworkModel& model, const std::vector<double>& inputs);

// Within 1e-12 of `want`, relative to the largest of it, 1 and the output range: the
// folded constants carry 15 digits of a range that may be 1E10 wide.
bool NearPrediction(const NetworkModel& model, double got, double want);

struct CaseOptions {
  bool subnormal_inputs = true;  // false: the overflow-edge cases keep ordinary ranges
  int largest_inputs = 120;      // the inputs of the first case
  // Names told apart ignoring case, none blank, holding a line break or a byte code
  // page 1252 leaves undefined: others become "n_" and a number.
  bool distinct_names = false;
};

// Seeded random networks: 1 to 120 inputs, 0 to 70 hidden neurons, linear and tanh,
// zero and whole weights, output ranges up to 1E10, input ranges down to a hundredth,
// classifiers (some whose seen extreme of a sign is 0), and hostile names, descriptions
// and paths (keywords, library and intermediate names, comment terminators, quotes,
// line breaks, markup, Windows-1252 bytes). The first cases are the extreme shapes,
// then numbers near the largest double and the largest single-precision number.
std::vector<ConformanceCase> ConformanceCases(std::uint64_t seed, int count, int vectors_per_case,
                                              CaseOptions options = {});

// Input vectors: the first on every input's minimum, the others up to `reach` tenths of
// the range beyond either end.
std::vector<std::vector<double>> NetworkInputs(const NetworkModel& model, int count,
                                               std::uint64_t seed, double reach = 1);

}  // namespace kdk::conformance
