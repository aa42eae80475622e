#pragma once

#include <string>

#include "core/common/number_text.h"
#include "core/network/network_model.h"

namespace kdk {

// A weight from an input with the input's normalisation folded in, as program code
// writes it: the term is (x * coefficient) - offset.
// coefficient = (w + w) / (maximum - minimum)
double FoldedCoefficient(double weight, double maximum, double minimum);
// offset = ((minimum + minimum) / (maximum - minimum) + 1) * w
double FoldedOffset(double weight, double maximum, double minimum);

// Every number an artifact writes for the network (the fields, the seen values in
// real units, the widths of the ranges, the folded weights) checked with
// IsWritableNumber: "" when all are writable, otherwise the first that is not, in
// plain words naming the field ("The input b cannot be scaled: its weight to hidden
// neuron 2 (1E+308) over its range from 0 to 0.5 is past the largest number
// (1.79769313486231E+308)."). An input whose minimum equals its maximum is left to
// UnscalableInputMessage.
std::string NetworkNumberProblem(const NetworkModel& model, RealKind kind = RealKind::Double);

}  // namespace kdk
