#pragma once

#include <string>
#include <vector>

#include "core/export/generation_stamp.h"
#include "core/mars/mars_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// The MARS model as VB: the names it declares and its code lines, worked out once
// and shared by the pieces below.
struct MarsVbCode {
  std::string output_name;                        // the modelled variable, a VB name
  std::vector<std::string> basis_function_names;  // VB names, in definition order
  std::vector<std::string> definition_lines;      // converted definitions, without TAB
  std::string equation;                           // right-hand side of calcEquation
};

// Reads the model with the one reading every converter shares (ReadMarsModel) and
// writes its definitions from it: hinges as max(0, ...), set tests in brackets times
// -1, missing-value indicators as IIF tests on the null flags, every input as
// inpval(i), names renamed where VB would refuse them. False, with the reader's reason
// reported, for a model the reading refuses.
bool PrepareMarsVbCode(const MarsModel& model, MarsVbCode& code, MessagePort& messages);

// The pieces of the MARS form's code, each its lines joined by CR LF.
std::string VbMarsHeaderComment(const MarsModel& model, const GenerationStamp& stamp);
// "Option Explicit", the inputs, their null flags, the output and basis functions.
std::string VbMarsDataDefinitions(const MarsModel& model, const MarsVbCode& code);
// "Private Sub calcBasisFunctions()", MAX and calcEquation. False when a line cannot
// be brought inside VB's limits.
bool VbMarsCalculationProcedures(const MarsVbCode& code, std::string& piece);
// displayResult, ReadInputs and RepresentsNull.
std::string VbMarsDisplayAndInput(const MarsVbCode& code);
// The About, Clear and Predict buttons. The training data lines are empty for a
// MARS model.
std::string VbMarsEventProcedures(const MarsModel& model, const MarsVbCode& code,
                                  const GenerationStamp& stamp);

}  // namespace kdk
