#include "core/mars/model_summary.h"

#include "core/common/text_utils.h"

namespace kdk {
namespace {

void AppendPrefixed(std::string& out, std::string_view prefix, std::string_view text) {
  out.append(prefix);
  AppendLine(out, text);
}

}  // namespace

std::string ModelSummaryText(const MarsModel& model, std::string_view head, std::string_view prefix,
                             std::string_view tail) {
  constexpr std::string_view kUnderline = "------------";
  std::string out;
  size_t size = head.size() + tail.size() + 512 + model.equation.size();
  for (const std::string& name : model.input_names) size += name.size() + prefix.size() + 4;
  for (const std::string& def : model.basis_function_defs) size += 2 * (def.size() + prefix.size());
  out.reserve(size);

  AppendLine(out, head);
  AppendPrefixed(out, prefix, "Model Inputs (" + std::to_string(model.InputCount()) + ")");
  AppendPrefixed(out, prefix, "Variable Name (* = categorical variable)");
  AppendPrefixed(out, prefix, "------------------------");
  for (int i = 0; i < model.InputCount(); ++i) {
    out.append(prefix).append(model.is_categorical[i] ? "*" : " ");
    AppendLine(out, model.input_names[i]);
  }
  AppendLine(out, "");
  AppendLine(out, "");
  AppendPrefixed(out, prefix, "Model Output");
  AppendPrefixed(out, prefix, kUnderline);
  AppendPrefixed(out, prefix, model.output_name);
  AppendLine(out, "");
  AppendLine(out, "");
  AppendPrefixed(out, prefix, "Model Equation");
  AppendPrefixed(out, prefix, kUnderline);
  AppendPrefixed(out, prefix, model.equation);
  AppendLine(out, "");
  AppendLine(out, "");
  AppendPrefixed(out, prefix, "Basis Functions");
  AppendPrefixed(out, prefix, kUnderline);
  for (const std::string& name : model.basis_function_names) AppendPrefixed(out, prefix, name);
  AppendLine(out, "");
  AppendLine(out, "");
  AppendPrefixed(out, prefix, "Basis Functions Definitions");
  AppendPrefixed(out, prefix, kUnderline);
  for (const std::string& def : model.basis_function_defs) AppendPrefixed(out, prefix, def);
  out.append(tail);
  return out;
}

std::string ModelSummaryComment(const MarsModel& model, std::string_view head,
                                std::string_view prefix, std::string_view tail,
                                const lang::LanguageRules& rules) {
  MarsModel safe;
  safe.output_name = lang::CommentSafe(rules, model.output_name);
  safe.equation = lang::CommentSafe(rules, model.equation);
  safe.is_categorical = model.is_categorical;
  for (const std::string& name : model.input_names) {
    safe.input_names.push_back(lang::CommentSafe(rules, name));
  }
  for (const std::string& name : model.basis_function_names) {
    safe.basis_function_names.push_back(lang::CommentSafe(rules, name));
  }
  for (const std::string& definition : model.basis_function_defs) {
    safe.basis_function_defs.push_back(lang::CommentSafe(rules, definition));
  }
  return ModelSummaryText(safe, head, prefix, tail);
}

std::string ModelSummaryForDisplay(const MarsModel& model) {
  return ModelSummaryText(model, "", "  ", "");
}

}  // namespace kdk
