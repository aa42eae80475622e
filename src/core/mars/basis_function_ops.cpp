#include "core/mars/basis_function_ops.h"

#include "core/common/text_utils.h"

namespace kdk {

std::string BasisFunctionBody(std::string_view definition, MessagePort& messages) {
  const size_t equals = definition.find('=');
  if (equals == std::string_view::npos) {
    std::string text = "Fatal Error - Invalid Equation";
    text.append(kCrLf).append(definition).append(kCrLf).append("has no '=' sign.");
    messages.Inform(text);
    return std::string(definition);
  }
  return TrimBlanks(definition.substr(equals + 1));
}

bool IsNotMissingIndicator(std::string_view definition) {
  return ContainsText(definition, " > .)") || ContainsText(definition, " > . ");
}

bool IsMissingIndicator(std::string_view definition) {
  return ContainsText(definition, " = .)") || ContainsText(definition, " = . ");
}

std::string IndicatorVariable(std::string_view definition) {
  const size_t open = definition.rfind('(');
  std::string_view rest = open == std::string_view::npos ? definition : definition.substr(open + 1);
  size_t cut = rest.find("> .");
  if (cut == std::string_view::npos) cut = rest.find("= .");
  return TrimBlanks(rest.substr(0, cut));
}

bool IsCategoricalBasisFunction(std::string_view definition, const MarsModel& model,
                                MessagePort& messages, int& input_index) {
  if (IsNotMissingIndicator(definition) || IsMissingIndicator(definition)) return false;
  const std::string body = BasisFunctionBody(definition, messages);
  for (int i = 0; i < model.InputCount(); ++i) {
    if (!ContainsText(body, model.input_names[i] + " =")) continue;
    if (model.is_categorical[i]) {
      input_index = i;
      return true;
    }
    std::string text = "Something Fishy About ";
    text.append(definition).append(kCrLf).append("Please report this problem!");
    messages.Inform(text, MessageIcon::Critical);
  }
  if (ContainsText(body, "=")) {
    std::string text = "Something fishy about ";
    text.append(definition).append(kCrLf).append("Please report this problem!");
    messages.Inform(text, MessageIcon::Critical);
  }
  return false;
}

std::string StripTrailingSemicolon(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  if (last != std::string_view::npos && text[last] == ';') return std::string(text.substr(0, last));
  return std::string(text);
}

}  // namespace kdk
