#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_plan.h"
#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// Java: javac refuses a method of more than 64 KB of bytecode. A generated statement
// compiles to fewer bytes than it has characters, so a method of at most this many
// characters is safe.
inline constexpr std::size_t kJavaMethodChars = 50000;

// Brings the statements of a cleaned network expression inside the line rules of the
// code type's language, changing nothing where they already hold:
// - Fortran: a line over 132 characters is wrapped before a " + " or " - " with " &";
// - Visual Basic: a statement with more than 24 continuations or a line over 1023
//   characters has its lines joined and broken again at blanks; a statement that
//   cannot fit is refused with a message naming a layout that works (returns "");
// - Java (layouts with assignments): statements past kJavaMethodChars move into
//   helper methods calcNet1, calcNet2, ... that calcNet calls in order.
std::string FitStatements(const CodePlan& plan, std::string text, MessagePort& messages);

// Java: a class file holds at most 65,535 constants. Each distinct number the
// program writes takes two, each variable about three (its reference, name and
// type). Returns the message refusing a network whose program would need more, or
// "" when it fits.
std::string JavaClassProblem(const CodeExportSettings& settings, const NetworkModel& model);

// Java layout A: the sum of the weighted terms computed by helper methods returning
// double when it would not fit one method; "" when it fits. The terms and
// `output_line` (the output statement for the sum of the helper calls) are written
// cleaned up already.
std::string JavaSplitSum(const std::vector<std::string>& terms,
                         const std::function<std::string(std::string_view)>& output_line);

}  // namespace kdk
