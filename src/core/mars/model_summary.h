#pragma once

#include <string>
#include <string_view>

#include "core/mars/mars_model.h"

namespace kdk {

// The description of a loaded MARS model that every MARS converter shows or embeds:
// inputs (categorical ones starred), output, equation, basis functions and their
// definitions. Each line starts with `prefix`; `head` is the first line and `tail`
// follows the last line end with nothing after it.
std::string ModelSummaryText(const MarsModel& model, std::string_view head, std::string_view prefix,
                             std::string_view tail);

// The summary as a converter window's summary box shows it: two-blank prefix.
std::string ModelSummaryForDisplay(const MarsModel& model);

}  // namespace kdk
