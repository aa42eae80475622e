#pragma once

#include <string>
#include <vector>

#include "conformance/spss/pspp_test_files.h"
#include "core/network/network_model.h"

namespace kdk::conformance {

// A seeded random network: 1 to 6 inputs whose names carry blanks, dots, dashes and
// mixed case (now and then a leading digit), 1 to 5 hidden neurons of both kinds,
// regression or classifier.
NetworkModel RandomNetwork(unsigned seed);

// Input rows inside and a little outside each input's range.
std::vector<Row> RandomNetworkRows(const NetworkModel& model, unsigned seed, int count);

// Seeded random MARS rules text: hinges both ways with negative and exponent-form
// knots, set tests on categorical inputs, missing-value indicators, products with
// earlier basis functions, and names inside names (AGE, AGE2, PAGE).
struct RandomMars {
  std::string text;
  std::vector<std::string> categorical;  // inputs that take small whole numbers
};
RandomMars RandomMarsText(unsigned seed);

}  // namespace kdk::conformance
