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
  std::string text = NetworkExpression(settings, model, messages);
  if (text.empty()) return {};  // refused, with its message
  const std::string variables = VariableList(settings, model);
  std::string header = HeaderCommentBlock(settings, workspace, clock);
  // C and Java call their own tanh, myTanh: the generators write that name, and the
  // header's definition lines (and any "Tanh(" in model text) say it the same way.
  if (settings.code_type == CodeType::C || settings.code_type == CodeType::Java) {
    header = ReplaceAll(header, "Tanh(", "myTanh(");
  }
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
