#include "core/lang/text_checker.h"

namespace kdk::lang {
namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// A Fortran comment line never continues a statement, whatever it ends with.
bool IsFortranComment(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] == '!';
}

}  // namespace

std::vector<RuleViolation> CheckLineRules(const LanguageRules& rules, std::string_view text) {
  std::vector<RuleViolation> found;
  std::size_t line_number = 0;
  int continuations = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    ++line_number;
    if (end < text.size() &&
        (text[end] == '\n' || end + 1 >= text.size() || text[end + 1] != '\n')) {
      found.push_back({line_number, "line ends with a lone CR or LF instead of CR LF"});
    }
    if (rules.max_line_length != 0 && line.size() > rules.max_line_length) {
      found.push_back({line_number, "line of " + std::to_string(line.size()) + " characters; " +
                                        rules.name.data() + " allows " +
                                        std::to_string(rules.max_line_length)});
    }
    const bool continued = !rules.continuation.empty() && EndsWith(line, rules.continuation) &&
                           !(rules.language == Language::Fortran90 && IsFortranComment(line));
    if (continued) {
      ++continuations;
      if (rules.max_continuations >= 0 && continuations == rules.max_continuations + 1) {
        found.push_back({line_number, "statement with more than " +
                                          std::to_string(rules.max_continuations) +
                                          " line continuations"});
      }
    } else {
      continuations = 0;
    }
    if (end >= text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return found;
}

}  // namespace kdk::lang
