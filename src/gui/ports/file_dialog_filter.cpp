#include "gui/ports/file_dialog_filter.h"

#include "core/common/text_utils.h"

namespace kdk::gui {

namespace {

std::string InParentheses(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 2);
  result.push_back('(');
  result.append(text);
  result.push_back(')');
  return result;
}

}  // namespace

std::vector<std::string> NameFiltersOf(std::string_view filter) {
  std::vector<std::string> result;
  if (filter.empty()) return result;
  const std::vector<std::string> parts = SplitAt(filter, '|');
  for (size_t i = 0; i < parts.size(); i += 2) {
    const std::string description = TrimBlanks(parts[i]);
    const std::string given = i + 1 < parts.size() ? TrimBlanks(parts[i + 1]) : std::string();
    const std::string patterns = given.empty() ? std::string(1, '*') : given;
    const std::string shown_patterns = ReplaceAll(patterns, ";", " ");
    if (ContainsText(description, InParentheses(patterns)) ||
        ContainsText(description, InParentheses(shown_patterns))) {
      // Qt reads the patterns from the last parentheses; the description has them.
      result.push_back(ReplaceAll(description, patterns, shown_patterns));
      continue;
    }
    std::string entry = description.empty() ? shown_patterns : description;
    entry.push_back(' ');
    entry.append(InParentheses(shown_patterns));
    result.push_back(std::move(entry));
  }
  return result;
}

}  // namespace kdk::gui
