#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/model_loader.h"
#include "core/common/number_text.h"
#include "core/mars/mars_evaluator.h"
#include "core/network/evaluate_network.h"
#include "core/network/field_reader.h"
#include "platform/console_message_port.h"

namespace kdk::cli {
namespace {

constexpr const char* kPredictHelp =
    "usage: kdk predict MODEL [VALUE ...]\n"
    "Computes one prediction. Give one value per input, in the model's input order\n"
    "(see 'kdk info MODEL'); put '--' before the values when one is negative and\n"
    "could be taken for an option. Prints 'prediction: <number>', and for a\n"
    "classifier network also 'class: TRUE|FALSE' and 'strength: <number>'.\n"
    "For a MARS model, '.' or an empty value is a missing value.\n";

std::vector<double> ParseValues(const std::vector<std::string>& words, size_t expected) {
  if (words.size() != expected) {
    throw UsageError{"the model has " + std::to_string(expected) + " inputs but " +
                     std::to_string(words.size()) + " values were given"};
  }
  std::vector<double> values;
  values.reserve(words.size());
  for (const std::string& word : words) {
    double value = 0;
    if (!ParseFiniteNumber(word, value)) throw UsageError{"'" + word + "' is not a number"};
    values.push_back(value);
  }
  return values;
}

int PredictNetwork(const NetworkModel& net, const std::vector<std::string>& words) {
  std::vector<double> values = ParseValues(words, static_cast<size_t>(net.InputCount()));
  NetworkPrediction result;
  std::string error;
  if (!EvaluateNetwork(net, values, result, error)) {
    std::cerr << error << '\n';
    return kExitFailure;
  }
  std::cout << "prediction: " << NumberText(result.prediction) << '\n';
  if (result.is_classifier) {
    std::cout << "class: " << result.class_text << '\n';
    std::cout << "strength: " << NumberText(result.strength) << '\n';
  }
  return kExitOk;
}

// "." or an empty word is a missing value.
int PredictMars(const MarsModel& model, const std::vector<std::string>& words) {
  if (words.size() != static_cast<size_t>(model.InputCount())) {
    throw UsageError{"the model has " + std::to_string(model.InputCount()) + " inputs but " +
                     std::to_string(words.size()) + " values were given"};
  }
  std::vector<std::optional<double>> values;
  for (const std::string& word : words) {
    double value = 0;
    if (word.empty() || word == ".") {
      values.push_back(std::nullopt);
    } else if (ParseFiniteNumber(word, value)) {
      values.push_back(value);
    } else {
      throw UsageError{"'" + word + "' is not a number (use . for a missing value)"};
    }
  }
  double prediction = 0;
  std::string error;
  if (!EvaluateMars(model, values, prediction, error)) {
    std::cerr << error << '\n';
    return kExitFailure;
  }
  std::cout << "prediction: " << NumberText(prediction) << '\n';
  return kExitOk;
}

}  // namespace

int RunPredict(const std::vector<std::string>& words) {
  Arguments args(words, {}, {});
  if (args.WantsHelp()) {
    std::cout << kPredictHelp;
    return kExitOk;
  }
  if (args.Positional().empty()) throw UsageError{"expected a MODEL"};
  const std::string& path = args.Positional()[0];
  std::vector<std::string> values(args.Positional().begin() + 1, args.Positional().end());
  ConsoleMessagePort messages(std::cerr);
  Workspace workspace;
  if (!LoadModelForCli(path, workspace, messages)) return kExitFailure;
  if (KindOfModelPath(path) == ModelKind::Mars) return PredictMars(workspace.mars, values);
  return PredictNetwork(workspace.network, values);
}

}  // namespace kdk::cli
