#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/lang/language_rules.h"

namespace kdk::lang {

// The names one generated program declares. Names the program's fixed text uses
// (calcNet, Var1, initData, ...) are reserved first; each model name then claims
// itself, or, when the language would refuse it or another name has it, the least
// changed name that is free: invalid characters as "_", a letter before a leading
// digit or "_" where the language needs one, cut to the length limit, and a suffix
// "_1", "_2", ... until it is free.
class NameTable {
 public:
  explicit NameTable(const LanguageRules& rules);

  void ReserveFixed(std::string_view name);
  // Names taken by a rule rather than one by one (a layout's numbered intermediate
  // variables, which may be many): Claim passes over a name for which it is true.
  void ReserveWhere(std::function<bool(std::string_view)> taken);
  bool IsTaken(std::string_view name) const;
  // The name to write for `wanted`; it is then taken.
  std::string Claim(std::string_view wanted);

 private:
  std::string Key(std::string_view name) const;
  std::string Repaired(std::string_view wanted) const;

  const LanguageRules& rules_;
  std::unordered_set<std::string> taken_;
  std::function<bool(std::string_view)> taken_by_rule_;
};

}  // namespace kdk::lang
