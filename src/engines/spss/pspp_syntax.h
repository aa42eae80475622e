#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk::spss {

// Where a line of the original text (1-based `line`) begins in a joined line: at
// 1-based `column`.
struct LineStart {
  int column;
  int line;
};

// Syntax as PSPP reads it, with, for each of its lines, where each original line
// joined into it begins, so that PSPP's messages can name the user's lines.
struct JoinedSyntax {
  std::string text;  // lines ending in LF
  std::vector<std::vector<LineStart>> origin;
};

// PSPP starts a new command at a line that begins with "+", "-" or ".", where SPSS
// continues the command; such a line is joined to the line before it (comment lines
// excepted). Everything else is kept as it is.
JoinedSyntax JoinContinuationLines(std::string_view syntax);

// The text of a PSPP string: quoted with "'" and every "'" doubled.
std::string PsppQuoted(std::string_view text);

// PSPP's error file in the user's terms: a position (line and column) in
// `syntax_file_name` becomes "line N: " with N the original line at that column of
// `joined`; other file positions are dropped, and the notes PSPP adds about stopping
// are left out.
std::string PlainPsppErrors(std::string_view errors, std::string_view syntax_file_name,
                            const JoinedSyntax& joined);

}  // namespace kdk::spss
