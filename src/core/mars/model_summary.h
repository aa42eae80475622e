#pragma once

#include <string>
#include <string_view>

#include "core/lang/language_rules.h"
#include "core/mars/mars_model.h"

namespace kdk {

// The description of a loaded MARS model that every MARS converter shows or embeds:
// inputs (categorical ones starred), output, equation, basis functions and their
// definitions. Each line starts with `prefix`; `head` is the first line and `tail`
// follows the last line end with nothing after it.
std::string ModelSummaryText(const MarsModel& model, std::string_view head, std::string_view prefix,
                             std::string_view tail);

// ModelSummaryText inside a comment of a generated language: every text taken from
// the model passes through the language's CommentSafe (the model statement's output
// name is not otherwise checked, and "*/" in it would end the comment early). Clean
// text comes out unchanged.
std::string ModelSummaryComment(const MarsModel& model, std::string_view head,
                                std::string_view prefix, std::string_view tail,
                                const lang::LanguageRules& rules);

// The summary as a converter window's summary box shows it: two-blank prefix.
std::string ModelSummaryForDisplay(const MarsModel& model);

}  // namespace kdk
