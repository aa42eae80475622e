#pragma once

#include <string>
#include <vector>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_types.h"
#include "core/export/code/program_names.h"
#include "core/lang/language_rules.h"

namespace kdk {

// What one generation of network code decides beside the user's choices, once: the
// type's profile and syntax, the layout written, the names as written, and the
// intermediate variables the expression declares, in order (the first entry empty,
// naming nothing). The header, the variable list, the prologue and the epilogue read it.
struct CodePlan {
  const CodeTypeProfile* profile = nullptr;
  CodeSyntax syntax;
  int format = kFormatA;
  ProgramNames names;
  std::vector<std::string> temporaries;

  const lang::LanguageRules& rules() const { return lang::RulesOf(profile->language); }
};

// A plan with the profile, syntax, layout and names of the settings; the expression
// writes the temporaries.
CodePlan PlanCode(const CodeExportSettings& settings, const NetworkModel& model);

}  // namespace kdk
