#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/text_checker.h"

namespace kdk::lang {

// Visual Basic 6 accepts lines of 1023 characters and 24 continuations a statement.
// These helpers keep generated statements inside those limits while leaving every
// statement that already fits exactly as it is.

// Appends one comment line ("'" and its text). A line too long for VB is cut into
// several comment lines, each beginning with "'".
void AppendVbCommentLine(std::string& out, std::string_view line);

// Appends one statement. When it is longer than a line may be, it is continued with
// " _" at blanks outside string literals (each further line begins with
// `continuation_indent`); a string literal too long for any line is closed and
// re-opened with " & ". False (and `out` unchanged) when it would need more
// continuation lines than a statement may have.
bool AppendVbStatement(std::string& out, std::string_view statement,
                       std::string_view continuation_indent);

// Appends `indent` target " = " expression. An expression too long for one continued
// statement is cut at its top-level "+" and "-" into several statements
// (target = first part, then target = target + next part, ...): VB adds left to
// right, so the sum is computed exactly as the single statement would. False (and
// `out` unchanged) when even that cannot fit.
bool AppendVbSumAssignment(std::string& out, std::string_view indent, std::string_view target,
                           std::string_view expression);

// The source bytes a VB procedure may hold before the compiler's procedure limit is
// in reach (its compiled code may not pass 64 KB); a conservative bound on the text.
inline constexpr std::size_t kVbMaxProcedureBytes = 60000;

// Every procedure (Sub ... End Sub, Function ... End Function) larger than
// `max_bytes` of source text.
std::vector<RuleViolation> CheckVbProcedureSizes(std::string_view text,
                                                 std::size_t max_bytes = kVbMaxProcedureBytes);

// The lines of code one VB module may hold; a form's code begins after its last
// "Attribute VB_" line.
inline constexpr std::size_t kVbMaxModuleLines = 65534;

// The module's code when it has more than `max_lines` lines (one violation, at the
// first line too many), else nothing.
std::vector<RuleViolation> CheckVbModuleLines(std::string_view text,
                                              std::size_t max_lines = kVbMaxModuleLines);

}  // namespace kdk::lang
