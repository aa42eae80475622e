#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/mars/mars_model.h"
#include "core/ports/message_port.h"

namespace kdk::conformance {

// Answers every question Yes and shows nothing: the suites read what the converters write.
class SilentMessages : public MessagePort {
 public:
  MessageAnswer Show(std::string_view, std::string_view, MessageIcon, MessageButtons) override {
    return MessageAnswer::Yes;
  }
};

// Equal to 1e-12, relative to the larger magnitude (absolute below 1).
inline bool Close(double a, double b) {
  return std::fabs(a - b) <= 1e-12 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// True when `model` has an input SPSS cannot take as a variable (see GenerateMarsModel).
bool HasSpssRefusedInput(const MarsModel& model);

// A MARS export made up from a seed: hinges with positive and negative knots (some
// in exponent form, some wrapped over two lines, some written MAX(), set tests (some
// holding 0, some joined by a lower-case "or"), both
// missing-value indicators, products of degree 2 and 3, basis functions defined out
// of number order (BF10 before BF1), input names that hold other names (X, X1, XBF1,
// AGE, PAGE), SQL reserved words and "OR" inside names, Windows-1252 names, negative
// and ".5"-style coefficients. Every seventh text has an input SPSS cannot take as a
// variable ("_lead" or the reserved word "BY"). Every third text is in UTF-8 instead
// of the code page.
struct GeneratedMars {
  std::string text;
  std::set<std::string> categorical;  // inputs that only set tests and indicators use
  std::vector<double> knots;          // values worth hitting exactly
};
GeneratedMars GenerateMarsModel(std::uint32_t seed);

// A MARS export of `count` basis functions for the size limits: hinges on X1..X30 (some
// times an earlier basis function), set tests of up to 400 levels on X31..X40, both
// indicators, and an equation over every basis function.
std::string GenerateLargeMarsText(std::uint32_t seed, int count);

using InputRow = std::vector<std::optional<double>>;

// Rows of input values in the parsed model's input order: about one value in eight
// missing, categories 0 to 5, knots hit exactly now and then.
std::vector<InputRow> GenerateRows(const GeneratedMars& generated, const MarsModel& model,
                                   std::uint32_t seed, int count);

// The missing-value rules of docs/mars.md, each computed here independently:
// - Evaluator (the evaluator, `kdk predict`, the VB project, the workbook, the page):
//   a missing input is 0 in hinges and set tests; the indicators tell it is missing.
// - Sql: a hinge on a missing input is NULL, and so is every product and prediction
//   it reaches; a set test on a missing input is 0 (not true).
// - Spss: a hinge on a missing input is 0 (max() skips a missing argument); a set
//   test on a missing input is system-missing, and so is a product it reaches unless
//   another factor is 0, and the prediction when a term is missing.
// Indicators are exact in both. nullopt is NULL or system-missing.
enum class MissingRules { Evaluator, Sql, Spss };
std::optional<double> PredictUnderRules(const MarsModel& model, const InputRow& row,
                                        MissingRules rules);

}  // namespace kdk::conformance
