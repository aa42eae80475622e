#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/export/code/code_export_settings.h"
#include "core/lang/language_rules.h"
#include "core/network/network_model.h"

namespace kdk {

// The names one generated text declares, as written: the smart-name rule first, then,
// where the language would refuse a name or two names would be one (a keyword, a C
// library name, an intermediate variable such as Var1, two names the smart-name rule
// makes equal), the least changed free name.
struct ProgramNames {
  std::vector<std::string> inputs;  // N1..Nn
  std::string output;               // O
  std::string root;                 // R, the root of the intermediate variables
  std::string program;              // J (Java class) or F (Fortran program); "" otherwise
  // Stored name and written name of each input written under another name, in order.
  std::vector<std::pair<std::string, std::string>> renamed_inputs;
};

ProgramNames NameProgram(const CodeExportSettings& settings, const NetworkModel& model);

}  // namespace kdk
