#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/mars/mars_expression.h"
#include "core/mars/mars_model.h"

namespace kdk {

// The reference arithmetic of a MARS model, against which every generated artifact
// is checked. Each basis function is computed in order from the inputs and the basis
// functions before it, then the equation from the basis functions.
//
// Missing values: an input given as std::nullopt is missing. It takes the value 0
// everywhere except in the missing-value indicators, where "( X = .)" is 1 and
// "( X > .)" is 0 (the generated VB project does the same).
class MarsEvaluator {
 public:
  // False with a message naming the definition (or the equation) that cannot be
  // read, or a name that is neither an input nor an earlier basis function.
  bool Compile(const MarsModel& model, std::string& error);

  // One value per input, in the model's input order.
  double Evaluate(std::span<const std::optional<double>> inputs) const;

  int InputCount() const { return input_count_; }

 private:
  int input_count_ = 0;
  std::vector<MarsExpression> basis_functions_;
  MarsExpression equation_;
};

// Compiles and evaluates once; for repeated predictions keep a MarsEvaluator.
bool EvaluateMars(const MarsModel& model, std::span<const std::optional<double>> inputs,
                  double& prediction, std::string& error);

}  // namespace kdk
