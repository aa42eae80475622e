#include "core/export/code/mars_spss.h"

#include "core/common/text_utils.h"
#include "core/lang/language_rules.h"
#include "core/lang/name_table.h"
#include "core/mars/model_summary.h"

namespace kdk {
namespace {

std::string DefinitionName(std::string_view definition) {
  return TrimBlanks(definition.substr(0, definition.find('=')));
}

// Inputs and basis functions become SPSS variables; a name SPSS cannot take cannot
// be renamed here (it is the data file's own), so the syntax is refused.
bool CheckSpssNames(const MarsModel& model, std::string& error) {
  const lang::LanguageRules& rules = lang::RulesOf(lang::Language::Spss);
  auto check = [&](const std::string& name, const char* what) {
    if (lang::IsUsableName(rules, name)) return true;
    error = std::string("The ") + what + " " + name +
            " is not a name SPSS accepts for a variable (letters, digits and \"_\", a letter "
            "first, at most 64 characters, not a reserved word); no syntax is written.";
    return false;
  };
  for (const std::string& name : model.input_names) {
    if (!check(name, "input")) return false;
  }
  for (const std::string& name : model.basis_function_names) {
    if (!check(name, "basis function")) return false;
  }
  return true;
}

}  // namespace

std::string StoredSpssOutputName(std::string_view typed) {
  return ToLowerAscii(TrimBlanks(typed));
}

std::string SpssOutputVariable(std::string_view output_field_name) {
  return BlanksToUnderscores(TrimBlanks(output_field_name));
}

std::string MarsSpssOutputVariable(const MarsModel& model, std::string_view output_field_name) {
  const std::string typed = SpssOutputVariable(output_field_name);
  if (typed.empty()) return typed;
  lang::NameTable names(lang::RulesOf(lang::Language::Spss));
  for (const std::string& name : model.input_names) names.ReserveFixed(name);
  for (const std::string& name : model.basis_function_names) names.ReserveFixed(name);
  return names.Claim(typed);
}

std::string MarsSpssCompute(std::string_view definition, const BasisReading& basis,
                            const MarsModel& model) {
  const std::string& x = model.input_names[static_cast<size_t>(basis.input)];
  const std::string product =
      basis.product.empty() ? std::string() : " * " + TrimBlanks(basis.product);
  std::string result;
  if (basis.form == BasisForm::Present) {
    const std::string test = "NOT(MISSING( " + x + "))";
    result =
        DefinitionName(definition) + " = " + (product.empty() ? test : "(" + test + ")") + product;
  } else if (basis.form == BasisForm::Missing) {
    result = DefinitionName(definition) + " = MISSING( " + x + ")" + product;
  } else {
    result = std::string(definition);
  }
  result = TrimBlanks(result);
  if (!result.empty() && result.back() == ';') result.pop_back();
  return result;
}

bool BuildMarsSpss(const MarsModel& model, const MarsSpssOptions& options, std::string& text,
                   std::string& error) {
  MarsReading reading;
  if (!ReadMarsModel(model, reading, error) || !CheckSpssNames(model, error)) return false;
  text.clear();
  size_t size = 4096 + 2 * model.equation.size();
  for (const std::string& definition : model.basis_function_defs) size += definition.size() + 64;
  text.reserve(size);

  if (options.include_header) {
    text.append(ModelSummaryComment(model, "", "/*", "", lang::RulesOf(lang::Language::Spss)))
        .append(kCrLf)
        .append(kCrLf);
  }
  for (size_t i = 0; i < model.basis_function_defs.size(); ++i) {
    text.append("COMPUTE ")
        .append(MarsSpssCompute(model.basis_function_defs[i], reading.basis[i], model))
        .append(" .");
    text.append(kCrLf).append("EXECUTE .").append(kCrLf);
  }
  std::string body = TrimBlanks(reading.equation_terms);
  body = ReplaceAll(ReplaceAll(body, " + ", " + \r\n"), " - ", " - \r\n");
  text.append("COMPUTE ")
      .append(MarsSpssOutputVariable(model, options.output_field_name))
      .append(" = ");
  text.append(body).append(" .").append(kCrLf).append("EXECUTE .");

  text.append(kCrLf).append("MATCH FILES").append(kCrLf).append(" /FILE=*");
  text.append(kCrLf).append(" /DROP= ");
  for (const std::string& name : model.basis_function_names) {
    text.append(kCrLf).append(" ").append(name);
  }
  text.append(" .");
  return true;
}

std::string MarsSpssText(const MarsModel& model, const MarsSpssOptions& options,
                         MessagePort& messages) {
  std::string text;
  std::string error;
  if (!BuildMarsSpss(model, options, text, error)) {
    messages.Inform(error, MessageIcon::Critical);
    return {};
  }
  return text;
}

}  // namespace kdk
