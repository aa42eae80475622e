#pragma once

#include <string>

#include "core/export/code/code_export_settings.h"
#include "core/network/network_model.h"

namespace kdk {

// The declarations of the inputs, the output and the intermediate variables of the
// last generation, in the code type's syntax ("" where the type's options leave
// the list out).
std::string VariableList(const CodeExportSettings& settings, const NetworkModel& model);

// The fixed text before the expression; `variables` is VariableList's text. Stores
// the cleaned Java class and Fortran program names.
std::string ProgramPrologue(CodeExportSettings& settings, const NetworkModel& model,
                            const std::string& variables);

// The fixed text after the expression.
std::string ProgramEpilogue(const CodeExportSettings& settings, const NetworkModel& model);

}  // namespace kdk
