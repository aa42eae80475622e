#include "core/export/code/generate_code.h"

#include "core/export/code/header_comments.h"
#include "core/export/code/network_expression.h"
#include "core/export/code/program_names.h"
#include "core/export/code/program_templates.h"

namespace kdk {

std::string GenerateCode(const CodeExportSettings& settings, const NetworkModel& model,
                         const GenerationStamp& stamp, MessagePort& messages) {
  CodePlan plan;
  return GenerateCode(settings, model, stamp, messages, plan);
}

std::string GenerateCode(const CodeExportSettings& settings, const NetworkModel& model,
                         const GenerationStamp& stamp, MessagePort& messages, CodePlan& plan) {
  // The expression checks the network's shape and numbers first, once, and fills
  // the plan the other pieces read.
  std::string text = NetworkExpression(settings, model, plan, messages);
  if (text.empty()) return {};  // refused, with its message
  const std::string variables = VariableList(settings, plan);
  const std::string header = HeaderCommentBlock(settings, model, plan, stamp);
  const std::string prologue = ProgramPrologue(settings, model, plan, variables);
  const std::string epilogue = ProgramEpilogue(settings, plan);
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
