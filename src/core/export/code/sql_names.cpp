#include "core/export/code/sql_names.h"

#include <unordered_set>

#include "core/common/text_utils.h"

namespace kdk {

std::string QuoteSqlName(SqlDialect dialect, std::string_view name) {
  const bool ansi = dialect == SqlDialect::Ansi;
  const char close = ansi ? '"' : ']';
  std::string quoted;
  quoted.reserve(name.size() + 4);
  quoted.push_back(ansi ? '"' : '[');
  for (char c : name) {
    quoted.push_back(c);
    if (c == close) quoted.push_back(c);
  }
  quoted.push_back(close);
  return quoted;
}

std::string TypedSqlName(SqlDialect dialect, std::string_view typed) {
  std::string text = TrimBlanks(typed);
  const char open = dialect == SqlDialect::Ansi ? '"' : '[';
  const char close = dialect == SqlDialect::Ansi ? '"' : ']';
  if (text.size() >= 2 && text.front() == open && text.back() == close) {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

std::size_t SqlNameLimit(SqlDialect dialect) {
  switch (dialect) {
    case SqlDialect::SqlServer:
      return 128;
    case SqlDialect::Access:
      return 64;
    case SqlDialect::Ansi:
      break;
  }
  return 63;
}

std::string SqlNameBeside(std::string_view name, const std::vector<std::string>& taken,
                          std::size_t limit) {
  auto key = [limit](std::string_view text) {
    return ToLowerAscii(limit > 0 && text.size() > limit ? text.substr(0, limit) : text);
  };
  std::unordered_set<std::string> keys;
  for (const std::string& other : taken) keys.insert(key(other));
  std::string field(name);
  for (int n = 1; keys.count(key(field)); ++n) {
    const std::string suffix = "_" + std::to_string(n);
    const std::size_t kept = limit > suffix.size() && name.size() + suffix.size() > limit
                                 ? limit - suffix.size()
                                 : name.size();
    field = std::string(name.substr(0, kept)) + suffix;
  }
  return field;
}

}  // namespace kdk
