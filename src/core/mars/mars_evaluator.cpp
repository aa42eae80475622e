#include "core/mars/mars_evaluator.h"

#include <limits>
#include <unordered_map>

#include "core/common/text_utils.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/mars_reading.h"

namespace kdk {
namespace {

// The right-hand side of "NAME = ...;" without its ";"; nullopt without "=".
std::optional<std::string> RightHandSide(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return StripTrailingSemicolon(TrimBlanks(std::string_view(text).substr(equals + 1)));
}

}  // namespace

bool MarsEvaluator::Compile(const MarsModel& model, std::string& error) {
  // The converters' reading first: the evaluator computes exactly the models they write.
  MarsReading reading;
  if (!ReadMarsModel(model, reading, error)) return false;
  input_count_ = model.InputCount();
  basis_functions_.assign(model.basis_function_defs.size(), MarsExpression());
  int defined = 0;  // basis functions a definition may use: the ones before it
  std::unordered_map<std::string_view, int> inputs, basis;
  for (int i = model.InputCount(); i-- > 0;) inputs[model.input_names[i]] = i;
  for (int i = model.BasisFunctionCount(); i-- > 0;) basis[model.basis_function_names[i]] = i;
  NameResolver resolve = [&](std::string_view name) -> std::optional<NameReference> {
    if (auto input = inputs.find(name); input != inputs.end()) {
      return NameReference{NameReference::Kind::Input, input->second};
    }
    if (auto found = basis.find(name); found != basis.end() && found->second < defined) {
      return NameReference{NameReference::Kind::BasisFunction, found->second};
    }
    return std::nullopt;
  };
  for (int i = 0; i < model.BasisFunctionCount(); ++i) {
    const std::string& definition = model.basis_function_defs[i];
    std::optional<std::string> body = RightHandSide(definition);
    std::string detail = "it has no '=' sign";
    if (!body || !basis_functions_[i].Parse(*body, resolve, detail)) {
      error = "Basis function " + std::to_string(i + 1) + " (" + definition +
              ") cannot be computed: " + detail;
      return false;
    }
    defined = i + 1;
  }
  std::optional<std::string> body = RightHandSide(model.equation);
  std::string detail = "it has no '=' sign";
  if (!body || !equation_.Parse(*body, resolve, detail)) {
    error = "The model equation (" + model.equation + ") cannot be computed: " + detail;
    return false;
  }
  return true;
}

double MarsEvaluator::Evaluate(std::span<const std::optional<double>> inputs) const {
  if (static_cast<int>(inputs.size()) < input_count_)
    return std::numeric_limits<double>::quiet_NaN();
  std::vector<double> values(basis_functions_.size());
  for (size_t i = 0; i < basis_functions_.size(); ++i) {
    values[i] = basis_functions_[i].Evaluate(inputs, std::span<const double>(values.data(), i));
  }
  return equation_.Evaluate(inputs, values);
}

bool EvaluateMars(const MarsModel& model, std::span<const std::optional<double>> inputs,
                  double& prediction, std::string& error) {
  if (static_cast<int>(inputs.size()) != model.InputCount()) {
    error = "The model has " + std::to_string(model.InputCount()) + " inputs but " +
            std::to_string(inputs.size()) + " values were given";
    return false;
  }
  MarsEvaluator evaluator;
  if (!evaluator.Compile(model, error)) return false;
  prediction = evaluator.Evaluate(inputs);
  return true;
}

}  // namespace kdk
