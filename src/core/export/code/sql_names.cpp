#include "core/export/code/sql_names.h"

#include <unordered_set>

#include "core/common/text_utils.h"

namespace kdk {

const SqlDialectProfile& SqlProfileOf(SqlDialect dialect) {
  static constexpr SqlDialectProfile kAccess{
      .open = '[', .close = ']', .name_limit = 64, .language = lang::Language::AccessSql};
  static constexpr SqlDialectProfile kSqlServer{
      .open = '[', .close = ']', .name_limit = 128, .language = lang::Language::TransactSql};
  static constexpr SqlDialectProfile kAnsi{
      .open = '"', .close = '"', .name_limit = 63, .language = lang::Language::TransactSql};
  switch (dialect) {
    case SqlDialect::Access:
      return kAccess;
    case SqlDialect::SqlServer:
      return kSqlServer;
    case SqlDialect::Ansi:
      break;
  }
  return kAnsi;
}

std::string QuoteSqlName(SqlDialect dialect, std::string_view name) {
  const SqlDialectProfile& profile = SqlProfileOf(dialect);
  std::string quoted;
  quoted.reserve(name.size() + 4);
  quoted.push_back(profile.open);
  for (char c : name) {
    quoted.push_back(c);
    if (c == profile.close) quoted.push_back(c);
  }
  quoted.push_back(profile.close);
  return quoted;
}

std::string TypedSqlName(SqlDialect dialect, std::string_view typed) {
  const SqlDialectProfile& profile = SqlProfileOf(dialect);
  std::string text = TrimBlanks(typed);
  if (text.size() >= 2 && text.front() == profile.open && text.back() == profile.close) {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

std::string TypedMarsSqlName(SqlDialect dialect, std::string_view typed) {
  const SqlDialectProfile& profile = SqlProfileOf(dialect);
  std::string text = TrimBlanks(typed);
  if (!text.empty() && text.back() == profile.close) text.pop_back();
  if (!text.empty() && text.front() == profile.open) text.erase(0, 1);
  return text;
}

std::string QuoteTypedMarsSqlName(SqlDialect dialect, std::string_view typed) {
  return QuoteSqlName(dialect, TypedMarsSqlName(dialect, typed));
}

bool IsBareSqlName(SqlDialect dialect, std::string_view name) {
  return lang::IsUsableName(lang::RulesOf(SqlProfileOf(dialect).language), name);
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
