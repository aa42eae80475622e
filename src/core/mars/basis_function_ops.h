#pragma once

#include <string>
#include <string_view>

#include "core/mars/mars_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// The text after the first "=", trimmed. A definition without "=" is reported
// ("Fatal Error - Invalid Equation") and returned unchanged.
std::string BasisFunctionBody(std::string_view definition, MessagePort& messages);

// ( X > .): 1 when X has a value.
bool IsNotMissingIndicator(std::string_view definition);
// ( X = .): 1 when X is missing.
bool IsMissingIndicator(std::string_view definition);

// The variable an indicator tests: the text after the last "(", cut before "> ." or
// "= .", trimmed.
std::string IndicatorVariable(std::string_view definition);

// Whether the definition is a set test on a categorical input; `input_index` (0-based)
// is set only when it is. Inconsistencies are reported as "Something Fishy About ...".
bool IsCategoricalBasisFunction(std::string_view definition, const MarsModel& model,
                                MessagePort& messages, int& input_index);

// Drops a final ";" (after trailing blanks); other text comes back unchanged.
std::string StripTrailingSemicolon(std::string_view text);

}  // namespace kdk
