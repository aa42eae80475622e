#include "core/export/code/code_plan.h"

namespace kdk {

CodePlan PlanCode(const CodeExportSettings& settings, const NetworkModel& model) {
  CodePlan plan;
  plan.profile = &ProfileOf(settings.code_type);
  plan.syntax = SyntaxFor(settings);
  plan.format = LayoutFor(settings.code_type, settings.equation_format);
  plan.names = NameProgram(settings, model);
  return plan;
}

}  // namespace kdk
