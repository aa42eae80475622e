#pragma once

#include <string>
#include <vector>

#include "core/mars/mars_model.h"

namespace kdk {

// The forms a basis function may take; each may be multiplied by earlier basis
// functions (and numbers).
enum class BasisForm {
  Hinge,    // max(0, e), e an input plus or minus numbers
  SetTest,  // ( X = 1 OR X = 3): 1 when the input takes one of the values
  Present,  // ( X > .): 1 when the input has a value
  Missing,  // ( X = .): 1 when the input is missing
};

struct BasisReading {
  BasisForm form = BasisForm::Hinge;
  int input = 0;        // 0-based: the input of the hinge, the set test or the indicator
  std::string lead;     // as written: a hinge's e ("X1 - 2.5"), a set test's condition
  std::string product;  // as written after the first "*", final ";" dropped; "" if none
};

// The one reading of a MARS model that the evaluator and every converter share.
struct MarsReading {
  std::vector<BasisReading> basis;  // parallel to basis_function_defs
  std::string equation_terms;       // the equation's text after its "=" (leading blank kept)
};

// Reads every definition and the equation with the evaluator's expression reader and
// accepts only what every converter can write so that it computes the model: hinges,
// set tests and indicators, each optionally multiplied by earlier basis functions and
// numbers, and an equation that adds, subtracts and multiplies numbers and basis
// functions. False with a message naming the definition and the reason otherwise.
bool ReadMarsModel(const MarsModel& model, MarsReading& reading, std::string& error);

}  // namespace kdk
