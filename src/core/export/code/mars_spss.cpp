#include "core/export/code/mars_spss.h"

#include "core/common/text_utils.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/model_summary.h"

namespace kdk {
namespace {

std::string DefinitionName(std::string_view definition) {
  return TrimBlanks(definition.substr(0, definition.find('=')));
}

// " * " and the rest of a product after an indicator ("( X3 > .) * BF2;"), so the
// indicator's COMPUTE keeps the product; "" when there is none.
std::string ProductPart(std::string_view definition) {
  const size_t star = definition.find('*');
  if (star == std::string_view::npos) return {};
  return " * " + TrimBlanks(StripTrailingSemicolon(definition.substr(star + 1)));
}

}  // namespace

std::string StoredSpssOutputName(std::string_view typed) {
  return ToLowerAscii(TrimBlanks(typed));
}

std::string SpssOutputVariable(std::string_view output_field_name) {
  return BlanksToUnderscores(TrimBlanks(output_field_name));
}

std::string MarsSpssCompute(std::string_view definition, MessagePort& /*messages*/) {
  std::string result;
  if (IsNotMissingIndicator(definition)) {
    result = DefinitionName(definition) + " = NOT(MISSING( " + IndicatorVariable(definition) +
             "))" + ProductPart(definition);
  } else if (IsMissingIndicator(definition)) {
    result = DefinitionName(definition) + " = MISSING( " + IndicatorVariable(definition) + ")" +
             ProductPart(definition);
  } else {
    result = std::string(definition);
  }
  result = TrimBlanks(result);
  if (!result.empty() && result.back() == ';') result.pop_back();
  return result;
}

std::string MarsSpssText(const MarsModel& model, const MarsSpssOptions& options,
                         MessagePort& messages) {
  std::string text;
  size_t size = 4096 + 2 * model.equation.size();
  for (const std::string& definition : model.basis_function_defs) size += definition.size() + 64;
  text.reserve(size);

  if (options.include_header) {
    text.append(ModelSummaryText(model, "", "/*", "")).append(kCrLf).append(kCrLf);
  }
  for (const std::string& definition : model.basis_function_defs) {
    text.append("COMPUTE ").append(MarsSpssCompute(definition, messages)).append(" .");
    text.append(kCrLf).append("EXECUTE .").append(kCrLf);
  }
  std::string body = BasisFunctionBody(model.equation, messages);
  body = ReplaceAll(ReplaceAll(body, " + ", " + \r\n"), " - ", " - \r\n");
  text.append("COMPUTE ").append(SpssOutputVariable(options.output_field_name)).append(" = ");
  text.append(body).append(" .").append(kCrLf).append("EXECUTE .");

  text.append(kCrLf).append("MATCH FILES").append(kCrLf).append(" /FILE=*");
  text.append(kCrLf).append(" /DROP= ");
  for (const std::string& name : model.basis_function_names) {
    text.append(kCrLf).append(" ").append(name);
  }
  text.append(" .");
  return text;
}

}  // namespace kdk
