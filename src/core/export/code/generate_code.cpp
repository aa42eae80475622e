#include "core/export/code/generate_code.h"

#include "core/common/text_utils.h"
#include "core/export/code/header_comments.h"
#include "core/export/code/network_expression.h"
#include "core/export/code/program_templates.h"
#include "core/network/evaluate_network.h"

namespace kdk {

std::string GenerateCode(CodeExportSettings& settings, const Workspace& workspace, Clock& clock,
                         MessagePort& messages) {
  const NetworkModel& model = workspace.network;
  settings.smart_names = settings.controls.smart_field_names;
  std::string problem = NetworkShapeProblem(model);
  if (problem.empty()) problem = UnscalableInputMessage(model);
  if (!problem.empty()) {
    settings.temp_variables.assign(1, std::string());
    messages.Inform(problem, MessageIcon::Exclamation);
    return {};
  }
  const std::string expression = NetworkExpression(settings, model, messages);
  const std::string variables = VariableList(settings, model);
  const std::string header = HeaderCommentBlock(settings, workspace, clock);
  const std::string prologue = ProgramPrologue(settings, model, variables);
  const std::string epilogue = ProgramEpilogue(settings);
  std::string text;
  text.reserve(header.size() + prologue.size() + expression.size() + epilogue.size());
  text.append(header).append(prologue).append(expression).append(epilogue);
  if (settings.code_type == CodeType::C || settings.code_type == CodeType::Java) {
    return ReplaceAll(text, "Tanh(", "myTanh(");
  }
  return text;
}

}  // namespace kdk
