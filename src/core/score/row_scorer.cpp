#include "core/score/row_scorer.h"

#include <optional>
#include <vector>

#include "core/mars/mars_evaluator.h"
#include "core/network/evaluate_network.h"
#include "core/network/field_reader.h"

namespace kdk {
namespace {

class NetworkScorer : public RowScorer {
 public:
  explicit NetworkScorer(const NetworkModel& model)
      : evaluator_(model), classifier_(model.is_classifier), values_(model.input_names.size()) {}

  bool Classifier() const override { return classifier_; }

  void Score(std::span<const std::string_view> values, RowPrediction& row) override {
    row = RowPrediction{};
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (!ParseFiniteNumber(values[i], values_[i])) {
        row.bad_input = i;
        return;
      }
    }
    evaluator_.Evaluate(values_, result_);
    row.ok = true;
    row.prediction = result_.prediction;
    row.is_true = result_.class_text == "TRUE";
    row.strength = result_.strength;
  }

 private:
  NetworkEvaluator evaluator_;
  bool classifier_;
  std::vector<double> values_;
  NetworkPrediction result_;
};

class MarsScorer : public RowScorer {
 public:
  MarsScorer() = default;
  bool Compile(const MarsModel& model, std::string& error) {
    values_.resize(model.input_names.size());
    return evaluator_.Compile(model, error);
  }

  bool Classifier() const override { return false; }

  void Score(std::span<const std::string_view> values, RowPrediction& row) override {
    row = RowPrediction{};
    for (std::size_t i = 0; i < values.size(); ++i) {
      double value = 0;
      if (IsMissingDataValue(values[i])) {
        values_[i].reset();
      } else if (ParseFiniteNumber(values[i], value)) {
        values_[i] = value;
      } else {
        row.bad_input = i;
        return;
      }
    }
    row.ok = true;
    row.prediction = evaluator_.Evaluate(values_);
  }

 private:
  MarsEvaluator evaluator_;
  std::vector<std::optional<double>> values_;
};

}  // namespace

bool IsMissingDataValue(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text.empty() || text == ".";
}

std::unique_ptr<RowScorer> MakeNetworkScorer(const NetworkModel& model, std::string& error) {
  error = UnscalableInputMessage(model);
  if (!error.empty()) return nullptr;
  return std::make_unique<NetworkScorer>(model);
}

std::unique_ptr<RowScorer> MakeMarsScorer(const MarsModel& model, std::string& error) {
  auto scorer = std::make_unique<MarsScorer>();
  if (!scorer->Compile(model, error)) return nullptr;
  return scorer;
}

}  // namespace kdk
