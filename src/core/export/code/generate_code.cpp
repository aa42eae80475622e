#include "core/export/code/generate_code.h"

#include "core/export/code/header_comments.h"
#include "core/export/code/network_expression.h"
#include "core/export/code/program_templates.h"
#include "core/network/evaluate_network.h"

namespace kdk {

std::string GenerateCode(CodeExportSettings& settings, const NetworkModel& model,
                         const GenerationStamp& stamp, MessagePort& messages) {
  settings.smart_names = settings.controls.smart_field_names;
  std::string problem = NetworkShapeProblem(model);
  if (problem.empty()) problem = UnscalableInputMessage(model);
  if (!problem.empty()) {
    settings.temp_variables.assign(1, std::string());
    messages.Inform(problem, MessageIcon::Exclamation);
    return {};
  }
  std::string text = NetworkExpression(settings, model, messages);
  if (text.empty()) return {};  // refused, with its message
  const std::string variables = VariableList(settings, model);
  const std::string header = HeaderCommentBlock(settings, model, stamp);
  const std::string prologue = ProgramPrologue(settings, model, variables);
  const std::string epilogue = ProgramEpilogue(settings, model);
  // The expression, the longest part by far, stays in its own buffer (reserved with
  // room to spare): the text before it moves in front of it.
  std::string before;
  before.reserve(header.size() + prologue.size());
  before.append(header).append(prologue);
  text.insert(0, before);
  text.append(epilogue);
  return text;
}

}  // namespace kdk
