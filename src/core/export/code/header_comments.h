#pragma once

#include <string>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_plan.h"
#include "core/export/generation_stamp.h"
#include "core/network/network_model.h"

namespace kdk {

// The pieces of the comment block at the top of generated code. Every line starts
// with the code type's comment prefix.
std::string DescriptionText(const CodePlan& plan, const NetworkModel& model);
std::string ModelInfoText(const CodePlan& plan, const NetworkModel& model,
                          const GenerationStamp& stamp);
std::string TanhDefinitionText(const CodePlan& plan);
std::string DataLimitsText(const CodeExportSettings& settings, const CodePlan& plan,
                           const NetworkModel& model);
// Which names smart naming changed; "" when none did or smart names are off.
std::string RenamedFieldsText(const CodeExportSettings& settings, const CodePlan& plan);

// The ticked pieces inside the code type's comment block; "" when nothing is in it.
std::string HeaderCommentBlock(const CodeExportSettings& settings, const NetworkModel& model,
                               const CodePlan& plan, const GenerationStamp& stamp);

}  // namespace kdk
