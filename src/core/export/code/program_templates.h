#pragma once

#include <string>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_plan.h"
#include "core/network/network_model.h"

namespace kdk {

// Each reads the plan the expression filled: syntax, names and temporaries, decided once.

// The declarations of the inputs, the output and the intermediate variables of the
// last generation, in the code type's syntax ("" where the type's options leave
// the list out).
std::string VariableList(const CodeExportSettings& settings, const CodePlan& plan);

// The fixed text before the expression; `variables` is VariableList's text.
std::string ProgramPrologue(const CodeExportSettings& settings, const NetworkModel& model,
                            const CodePlan& plan, const std::string& variables);

// The fixed text after the expression.
std::string ProgramEpilogue(const CodeExportSettings& settings, const CodePlan& plan);

// The code types' frames, named by their profiles.
PrologueText BarePrologue, SasPrologue, VbPrologue, CPrologue, FortranPrologue, JavaPrologue;
EpilogueText NoEpilogue, SasEpilogue, VbEpilogue, CEpilogue, FortranEpilogue, JavaEpilogue,
    SpssEpilogue;

}  // namespace kdk
