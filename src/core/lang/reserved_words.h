#pragma once

#include <span>
#include <string_view>

#include "core/lang/language_rules.h"

namespace kdk::lang {

// The words a name must not be in the language: its keywords, and the names the
// generated program's own fixed text relies on (library functions it calls, classes it
// uses). Sorted as the language compares (upper case where names are case-insensitive).
std::span<const std::string_view> ReservedWordsOf(Language language);

}  // namespace kdk::lang
