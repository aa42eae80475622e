#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/mars/mars_model.h"
#include "core/network/network_model.h"

namespace kdk {

// One row's prediction, or which of its input values could not be read.
struct RowPrediction {
  bool ok = false;
  double prediction = 0;
  bool is_true = false;  // classifier: the class
  double strength = 0;   // classifier
  std::size_t bad_input = 0;
};

// Whether a data value is missing: empty or "." (blanks around it aside).
bool IsMissingDataValue(std::string_view text);

// A model that scores rows of text values, read as `kdk predict` reads its arguments.
class RowScorer {
 public:
  virtual ~RowScorer() = default;
  virtual bool Classifier() const = 0;
  // `values` holds the model's inputs in its input order.
  virtual void Score(std::span<const std::string_view> values, RowPrediction& row) = 0;
};

// A network's inputs must each be a number. False with `error` for a network that
// cannot score (an input that cannot be scaled).
std::unique_ptr<RowScorer> MakeNetworkScorer(const NetworkModel& model, std::string& error);
// A MARS model's empty or "." value is missing, under the evaluator's rule.
std::unique_ptr<RowScorer> MakeMarsScorer(const MarsModel& model, std::string& error);

}  // namespace kdk
