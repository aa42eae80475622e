#include "engines/spss/pspp_syntax.h"

#include <cctype>

#include "core/common/text_file.h"

namespace kdk::spss {

namespace {

std::string_view WithoutLeadingBlanks(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
  return line.substr(start);
}

bool StartsContinuation(std::string_view line) {
  const std::string_view text = WithoutLeadingBlanks(line);
  return !text.empty() && (text[0] == '+' || text[0] == '-' || text[0] == '.');
}

bool IsCommentLine(std::string_view line) {
  const std::string_view text = WithoutLeadingBlanks(line);
  return text.starts_with("*") || text.starts_with("/*");
}

// Reads a number at `digits`, moving past it; false when there is none.
bool ReadNumber(std::string_view text, size_t& digits, int& number) {
  const size_t start = digits;
  number = 0;
  while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
    number = number * 10 + (text[digits] - '0');
    if (number > 100000000) return false;
    ++digits;
  }
  return digits > start;
}

// Reads "N", "N.C", "N-N", "N.C-N.C" at `at`: the line and column the position starts
// at (column 1 when none is given).
bool ReadPosition(std::string_view text, size_t& at, int& line, int& column) {
  size_t digits = at;
  if (!ReadNumber(text, digits, line)) return false;
  column = 1;
  if (digits < text.size() && text[digits] == '.') {
    ++digits;
    if (!ReadNumber(text, digits, column)) return false;
  }
  while (digits < text.size() && (std::isdigit(static_cast<unsigned char>(text[digits])) ||
                                  text[digits] == '.' || text[digits] == '-')) {
    ++digits;
  }
  if (digits >= text.size() || text[digits] != ':') return false;
  at = digits + 1;
  return true;
}

std::string PlainLine(std::string_view line, std::string_view syntax_file_name,
                      const JoinedSyntax& joined) {
  // "<path>:<position>: message"
  const size_t name_at = line.find(syntax_file_name);
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::string(line);
  const bool ours = name_at != std::string_view::npos && name_at + syntax_file_name.size() == colon;
  size_t at = colon + 1;
  int number = 0, column = 1;
  if (!ReadPosition(line, at, number, column)) return std::string(line);
  std::string_view rest = WithoutLeadingBlanks(line.substr(at));
  if (!ours) return std::string(rest);
  int user_line = number;
  if (number >= 1 && number <= static_cast<int>(joined.origin.size())) {
    for (const LineStart& start : joined.origin[number - 1]) {
      if (start.column <= column) user_line = start.line;
    }
  }
  return "line " + std::to_string(user_line) + ": " + std::string(rest);
}

}  // namespace

JoinedSyntax JoinContinuationLines(std::string_view syntax) {
  JoinedSyntax joined;
  joined.text.reserve(syntax.size() + 1);
  const std::vector<std::string> lines = SplitIntoLines(syntax);
  bool previous_is_comment = true;  // nothing to join the first line to
  size_t line_start = 0;            // where the joined line begins in the text
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    const int number = static_cast<int>(index) + 1;
    if (StartsContinuation(line) && !previous_is_comment) {
      joined.text.pop_back();  // the LF of the line before
      joined.text.push_back(' ');
      joined.origin.back().push_back(
          {static_cast<int>(joined.text.size() - line_start) + 1, number});
      joined.text.append(WithoutLeadingBlanks(line));
      joined.text.push_back('\n');
      continue;
    }
    line_start = joined.text.size();
    joined.text.append(line);
    joined.text.push_back('\n');
    joined.origin.push_back({{1, number}});
    previous_is_comment = IsCommentLine(line);
  }
  return joined;
}

std::string PsppQuoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('\'');
  for (char c : text) {
    quoted.push_back(c);
    if (c == '\'') quoted.push_back('\'');
  }
  quoted.push_back('\'');
  return quoted;
}

std::string PlainPsppErrors(std::string_view errors, std::string_view syntax_file_name,
                            const JoinedSyntax& joined) {
  std::string plain;
  for (const std::string& line : SplitIntoLines(errors)) {
    if (WithoutLeadingBlanks(line).empty()) continue;
    if (line.find("ERROR=STOP") != std::string::npos) continue;
    const std::string text = PlainLine(line, syntax_file_name, joined);
    if (plain.find(text) != std::string::npos) continue;  // PSPP repeats itself
    if (!plain.empty()) plain.append("\r\n");
    plain.append(text);
  }
  return plain;
}

}  // namespace kdk::spss
