#include "core/lang/vb_line_fitting.h"

#include "core/lang/language_rules.h"

namespace kdk::lang {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kContinue = " _";
constexpr std::string_view kCloseAndContinue = "\" & _";

std::size_t MaxLine() {
  return RulesOf(Language::VisualBasic).max_line_length;
}
int MaxContinuations() {
  return RulesOf(Language::VisualBasic).max_continuations;
}

// Whether a comment line cut here would end in "_" and so run on into the next line.
bool EndsLikeContinuation(std::string_view piece) {
  std::size_t end = piece.size();
  while (end > 0 && (piece[end - 1] == ' ' || piece[end - 1] == '\t')) --end;
  return end > 0 && piece[end - 1] == '_';
}

// The lines one too-long statement becomes; empty when no place to break was found.
std::vector<std::string> BreakStatement(std::string_view statement, std::string_view indent) {
  std::vector<std::string> lines;
  std::size_t position = 0;
  bool reopen_string = false;  // the line begins inside a string literal
  while (true) {
    std::string head = lines.empty() ? std::string() : std::string(indent);
    if (reopen_string) head.push_back('"');
    const std::string_view rest = statement.substr(position);
    if (head.size() + rest.size() <= MaxLine()) {
      lines.push_back(head.append(rest));
      return lines;
    }
    std::size_t blank_cut = 0, string_cut = 0;
    bool in_string = reopen_string;
    for (std::size_t j = 0; j < rest.size(); ++j) {
      const char c = rest[j];
      if (in_string) {
        if (head.size() + j + kCloseAndContinue.size() > MaxLine()) break;
        if (j > 0) string_cut = j;
        if (c == '"') {
          if (j + 1 < rest.size() && rest[j + 1] == '"') {
            ++j;  // a doubled quote stays one character of the text
          } else {
            in_string = false;
          }
        }
        continue;
      }
      if (head.size() + j + kContinue.size() > MaxLine()) break;
      if (c == '"') {
        in_string = true;
      } else if (c == ' ' && j > 0) {
        blank_cut = j;
        string_cut = 0;
      }
    }
    if (blank_cut > 0 && blank_cut >= string_cut) {
      lines.push_back(head.append(rest.substr(0, blank_cut)).append(kContinue));
      position += blank_cut + 1;
      reopen_string = false;
    } else if (string_cut > 0) {
      lines.push_back(head.append(rest.substr(0, string_cut)).append(kCloseAndContinue));
      position += string_cut;
      reopen_string = true;
    } else {
      return {};
    }
  }
}

bool IsOperandEnd(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ')' ||
         c == '.' || c == '_';
}

// Where the expression may be cut between two terms of its top-level sum: the
// position of a binary "+" or "-" that stands between blanks outside brackets.
std::vector<std::size_t> TopLevelSumCuts(std::string_view expression) {
  std::vector<std::size_t> cuts;
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < expression.size(); ++i) {
    const char c = expression[i];
    if (c == '"') in_string = !in_string;
    if (in_string) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (depth != 0 || (c != '+' && c != '-') || i < 2 || i + 1 >= expression.size()) continue;
    if (expression[i - 1] != ' ' || expression[i + 1] != ' ') continue;
    std::size_t before = i - 1;
    while (before > 0 && expression[before] == ' ') --before;
    if (IsOperandEnd(expression[before])) cuts.push_back(i);
  }
  return cuts;
}

}  // namespace

void AppendVbCommentLine(std::string& out, std::string_view line) {
  std::string_view rest = line;
  bool first = true;
  while (true) {
    const std::size_t room = first ? MaxLine() : MaxLine() - 1;
    if (!first) out.push_back('\'');
    if (rest.size() <= room) {
      out.append(rest);
      return;
    }
    std::size_t cut = room;
    while (cut > 1 && EndsLikeContinuation(rest.substr(0, cut))) --cut;
    out.append(rest.substr(0, cut)).append(kLineEnd);
    rest.remove_prefix(cut);
    first = false;
  }
}

bool AppendVbStatement(std::string& out, std::string_view statement,
                       std::string_view continuation_indent) {
  if (statement.size() <= MaxLine()) {
    out.append(statement);
    return true;
  }
  const std::vector<std::string> lines = BreakStatement(statement, continuation_indent);
  if (lines.empty() || static_cast<int>(lines.size()) - 1 > MaxContinuations()) return false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out.append(kLineEnd);
    out.append(lines[i]);
  }
  return true;
}

bool AppendVbSumAssignment(std::string& out, std::string_view indent, std::string_view target,
                           std::string_view expression) {
  const std::string continuation_indent = std::string(indent) + "\t";
  std::string statement;
  statement.reserve(indent.size() + target.size() + 3 + expression.size());
  statement.append(indent).append(target).append(" = ").append(expression);
  if (AppendVbStatement(out, statement, continuation_indent)) return true;

  // Parts short enough that one continued statement always holds them.
  const std::size_t part_budget = (MaxLine() - 100) * 20;
  std::string text;
  std::size_t part_start = 0, last_cut = 0;
  bool first = true;
  auto flush = [&](std::size_t end) {
    statement.assign(indent).append(target).append(" = ");
    if (!first) statement.append(target).append(" ");
    statement.append(expression.substr(part_start, end - part_start));
    while (!statement.empty() && statement.back() == ' ') statement.pop_back();
    if (!first) text.append(kLineEnd);
    first = false;
    part_start = end;
    return AppendVbStatement(text, statement, continuation_indent);
  };
  for (std::size_t cut : TopLevelSumCuts(expression)) {
    if (cut - part_start > part_budget && last_cut > part_start && !flush(last_cut)) return false;
    last_cut = cut;
  }
  if (!flush(expression.size())) return false;
  out.append(text);
  return true;
}

std::vector<RuleViolation> CheckVbProcedureSizes(std::string_view text, std::size_t max_bytes) {
  auto starts = [](std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word;
  };
  std::vector<RuleViolation> found;
  std::size_t line_number = 0, opened_at = 0, bytes = 0;
  bool inside = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    ++line_number;
    const std::size_t first = line.find_first_not_of(" \t");
    line = first == std::string_view::npos ? std::string_view() : line.substr(first);
    if (!inside && (starts(line, "Private Sub ") || starts(line, "Private Function ") ||
                    starts(line, "Public Sub ") || starts(line, "Public Function ") ||
                    starts(line, "Sub ") || starts(line, "Function "))) {
      inside = true;
      opened_at = line_number;
      bytes = 0;
    }
    if (inside) bytes += end - start + 1;
    if (inside && (starts(line, "End Sub") || starts(line, "End Function"))) {
      inside = false;
      if (bytes > max_bytes) {
        found.push_back({opened_at, "procedure of " + std::to_string(bytes) +
                                        " bytes; Visual Basic allows about " +
                                        std::to_string(max_bytes)});
      }
    }
    start = end + 1;
  }
  return found;
}

std::vector<RuleViolation> CheckVbModuleLines(std::string_view text, std::size_t max_lines) {
  constexpr std::string_view kAttribute = "Attribute VB_";
  std::size_t lines = 0, code_start = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++lines;
    if (text.substr(start, kAttribute.size()) == kAttribute) code_start = lines;
    start = end + 1;
  }
  if (lines - code_start <= max_lines) return {};
  return {{code_start + max_lines + 1, "the code has " + std::to_string(lines - code_start) +
                                           " lines; Visual Basic allows " +
                                           std::to_string(max_lines) + " in one module"}};
}

}  // namespace kdk::lang
