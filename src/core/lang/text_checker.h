#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/language_rules.h"

namespace kdk::lang {

// One place where a generated text breaks a rule of its language.
struct RuleViolation {
  std::size_t line;  // 1-based
  std::string what;
};

// Checks the line rules of a whole generated text (CR LF lines): the longest line and
// the most continuation lines a statement may have. Used by generators to refuse a
// text they could not bring inside the limits, and by tests on every generated text.
std::vector<RuleViolation> CheckLineRules(const LanguageRules& rules, std::string_view text);

}  // namespace kdk::lang
