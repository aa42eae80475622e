#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk::spss {

// Syntax as PSPP reads it, with the number of the line of the original text each
// line starts at (1-based), so that PSPP's messages can name the user's lines.
struct JoinedSyntax {
  std::string text;  // lines ending in LF
  std::vector<int> origin;
};

// PSPP starts a new command at a line that begins with "+", "-" or ".", where SPSS
// continues the command; such a line is joined to the line before it (comment lines
// excepted). Everything else is kept as it is.
JoinedSyntax JoinContinuationLines(std::string_view syntax);

// The text of a PSPP string: quoted with "'" and every "'" doubled.
std::string PsppQuoted(std::string_view text);

// PSPP's error file in the user's terms: a position in `syntax_file_name` becomes
// "line N: " with N from `origin`; other file positions are dropped, and the notes
// PSPP adds about stopping are left out.
std::string PlainPsppErrors(std::string_view errors, std::string_view syntax_file_name,
                            const std::vector<int>& origin);

}  // namespace kdk::spss
