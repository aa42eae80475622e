#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conformance/spss/pspp_test_files.h"
#include "core/network/network_model.h"

namespace kdk::conformance {

// A seeded random network: 1 to 6 inputs whose names carry blanks, dots, dashes,
// Windows-1252 letters and mixed case (now and then a leading digit), 1 to 5 hidden neurons of both
// kinds, regression or classifier.
NetworkModel RandomNetwork(unsigned seed);

// Input rows inside and a little outside each input's range: up to `reach` tenths
// of the range beyond either end.
std::vector<Row> RandomNetworkRows(const NetworkModel& model, unsigned seed, int count,
                                   double reach = 1);

// Seeded random MARS rules text: hinges both ways with negative and exponent-form
// knots, set tests on categorical inputs, missing-value indicators, products with
// earlier basis functions, names inside names (AGE, AGE2, PAGE) and Windows-1252
// names; every third text is UTF-8.
enum class BasisKind { HingeUp, HingeDown, SetTest, NotMissing, IsMissing };

// One basis function as drawn: max(0, X - k), max(0, k - X), ( X = a OR X = b),
// ( X > .) or ( X = .), times an earlier basis function when `factor` >= 0.
struct BasisRecipe {
  BasisKind kind;
  std::string input;
  double knot = 0;
  int set_a = 0, set_b = 0;
  int factor = -1;
};

struct RandomMars {
  std::string text;
  std::vector<std::string> categorical;  // inputs that take small whole numbers
  std::vector<BasisRecipe> basis;
  double intercept = 0;
  std::vector<double> coefficients;  // one per basis function, signed
};

// The value SPSS's own missing-value rules give the model's syntax for a row:
// MAX ignores a missing argument, a comparison with a missing value is missing,
// MISSING() is always defined, 0 times a missing value is 0, and any other
// arithmetic with a missing value is missing (nullopt).
// `row` holds the inputs in the order of `input_names` (the parsed model's).
std::optional<double> SpssRulesValue(const RandomMars& mars,
                                     const std::vector<std::string>& input_names, const Row& row);
RandomMars RandomMarsText(unsigned seed);

}  // namespace kdk::conformance
