#pragma once

#include <string>
#include <vector>

#include "core/export/code/program_names.h"

namespace kdk {

// What one generation of network code decides beside the user's choices, once: the
// names as written, and the intermediate variables the expression declares, in order
// (the first entry empty, naming nothing). The header, the variable list, the
// prologue and the epilogue read it.
struct CodePlan {
  ProgramNames names;
  std::vector<std::string> temporaries;
};

}  // namespace kdk
