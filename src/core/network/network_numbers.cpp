#include "core/network/network_numbers.h"

#include <cmath>

namespace kdk {
namespace {

// Collects the first number that is not writable, with the words that name it.
class NumberCheck {
 public:
  explicit NumberCheck(RealKind kind) : kind_(kind) {}

  bool Writable(double value) const { return IsWritableNumber(value, kind_); }

  bool Fits(double value, const std::string& subject, const std::string& field) {
    if (IsWritableNumber(value, kind_)) return true;
    problem_ = subject + ": " + field;
    if (std::isfinite(value)) problem_.append(" (").append(NumberText(value)).append(")");
    problem_.append(kind_ == RealKind::Double ? " is past the largest number ("
                                              : " is past the largest single-precision number (");
    problem_.append(LargestWritableText(kind_)).append(").");
    return false;
  }

  // The minimum, the maximum and the width of a range; the range in words.
  bool RangeFits(double maximum, double minimum, const std::string& subject, std::string& words) {
    if (!Fits(maximum, subject, "its maximum") || !Fits(minimum, subject, "its minimum")) {
      return false;
    }
    words = "its range from " + NumberText(minimum) + " to " + NumberText(maximum);
    return Fits(maximum - minimum, subject, "the width of " + words);
  }

  std::string Problem() { return std::move(problem_); }

 private:
  RealKind kind_;
  std::string problem_;
};

std::string Neuron(int k) {
  return "hidden neuron " + std::to_string(k + 1);
}

bool InputFits(NumberCheck& check, const NetworkModel& model, int i) {
  const std::string subject = "The input " + model.input_names[i] + " cannot be scaled";
  const double maximum = model.max_norm[i];
  const double minimum = model.min_norm[i];
  std::string range;
  if (!check.RangeFits(maximum, minimum, subject, range) ||
      !check.Fits(model.max_seen[i], subject, "its seen maximum") ||
      !check.Fits(model.min_seen[i], subject, "its seen minimum")) {
    return false;
  }
  // The words naming a weight are built only for the message about it: a network
  // has a weight for each input and hidden neuron.
  for (int k = 0; k < model.HiddenCount(); ++k) {
    const double w = model.wih[i][k];
    if (!check.Writable(w)) return check.Fits(w, subject, "its weight to " + Neuron(k));
    if (w == 0 || maximum == minimum) continue;  // no term, or not scalable at all
    const double coefficient = FoldedCoefficient(w, maximum, minimum);
    const double offset = FoldedOffset(w, maximum, minimum);
    if (check.Writable(coefficient) && check.Writable(offset)) continue;
    const std::string folded =
        "its weight to " + Neuron(k) + " (" + NumberText(w) + ") over " + range;
    return check.Fits(coefficient, subject, folded) && check.Fits(offset, subject, folded);
  }
  return true;
}

bool OutputFits(NumberCheck& check, const NetworkModel& model) {
  const std::string subject = "The output " + model.output_name + " cannot be scaled";
  std::string range;
  if (!check.RangeFits(model.max_norm_out, model.min_norm_out, subject, range) ||
      !check.Fits(model.max_seen_out, subject, "its seen maximum") ||
      !check.Fits(model.min_seen_out, subject, "its seen minimum")) {
    return false;
  }
  // The normalised seen range is written only for a classifier's strength.
  return !model.is_classifier ||
         (check.Fits(model.max_seen_out_cl, subject, "its normalised seen maximum") &&
          check.Fits(model.min_seen_out_cl, subject, "its normalised seen minimum"));
}

bool WeightsFit(NumberCheck& check, const NetworkModel& model) {
  const int hidden = model.HiddenCount();
  for (int k = 0; k < hidden; ++k) {
    if (!check.Fits(model.wih[model.InputCount()][k], "The input bias cannot be written",
                    "its weight to " + Neuron(k)) ||
        !check.Fits(model.who[k], "The " + Neuron(k) + " cannot be written",
                    "its weight to the output")) {
      return false;
    }
  }
  return check.Fits(model.who[hidden], "The output bias cannot be written", "its weight");
}

}  // namespace

double FoldedCoefficient(double weight, double maximum, double minimum) {
  return (weight + weight) / (maximum - minimum);
}

double FoldedOffset(double weight, double maximum, double minimum) {
  return ((minimum + minimum) / (maximum - minimum) + 1) * weight;
}

std::string NetworkNumberProblem(const NetworkModel& model, RealKind kind) {
  NumberCheck check(kind);
  for (int i = 0; i < model.InputCount(); ++i) {
    if (!InputFits(check, model, i)) return check.Problem();
  }
  if (!WeightsFit(check, model)) return check.Problem();
  OutputFits(check, model);
  return check.Problem();
}

}  // namespace kdk
