#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/mars/mars_evaluator.h"
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

// A MARS export made up from a seed: hinges with positive and negative knots (some in
// exponent form, wrapped over two lines, or written MAX()), set tests (some holding 0,
// some joined by "or"), both missing-value indicators, products of degree 2 and 3,
// basis functions out of number order (BF10 before BF1), input names that hold other
// names (X, X1, XBF1, AGE, PAGE), SQL reserved words, Windows-1252 names, negative and
// ".5"-style coefficients. Every seventh text has an input SPSS cannot take as a
// variable; every third text is in UTF-8 instead of the code page.
struct GeneratedMars {
  std::string text;
  std::set<std::string> categorical;  // inputs that only set tests and indicators use
  std::vector<double> knots;          // values worth hitting exactly
};
GeneratedMars GenerateMarsModel(std::uint32_t seed);

// True when `model` has an input SPSS cannot take as a variable (see GenerateMarsModel).
bool HasSpssRefusedInput(const MarsModel& model);

// A MARS export of `count` basis functions for the size limits: hinges on X1..X30 (some
// times an earlier basis function), set tests of up to 400 levels on X31..X40, both
// indicators, and an equation over every basis function.
std::string GenerateLargeMarsText(std::uint32_t seed, int count);

using InputRow = std::vector<std::optional<double>>;

// A generated text read back: its model, the evaluator, and rows of input values in the
// model's input order (about one value in eight missing, categories 0 to 5, knots hit
// exactly now and then). Throws when the text does not read.
struct MarsCase {
  GeneratedMars generated;
  MarsModel model;
  MarsEvaluator evaluator;
  std::vector<InputRow> rows;
};
MarsCase ReadMarsCase(GeneratedMars generated, std::uint32_t seed, int rows);
inline MarsCase ReadMarsCase(std::uint32_t seed, int rows) {
  return ReadMarsCase(GenerateMarsModel(seed), seed, rows);
}

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
