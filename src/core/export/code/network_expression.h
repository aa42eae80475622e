#pragma once

#include <string>
#include <string_view>

#include "core/export/code/code_export_settings.h"
#include "core/export/code/code_plan.h"
#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// tanh of the text x: the language's tanh call (TanhCallOf) in mode 1, the exponential
// form in mode 0, "" otherwise.
std::string TanhExprIn(std::string_view x, int tanh_mode, std::string_view tanh_call);

// The four layouts' replacements of doubled signs and doubled line ends, and the
// final line end removed.
std::string CleanUpExpression(std::string_view text);

// The network as statements of the chosen code type and layout, with the input
// normalisation folded into the weights. Fills the plan: the names as written and the
// temporaries (one empty entry, then each intermediate name assigned). An input whose
// normalisation range is empty, or a statement the language cannot take in any form
// (FitStatements), is reported and gives "".
std::string NetworkExpression(const CodeExportSettings& settings, const NetworkModel& model,
                              CodePlan& plan, MessagePort& messages);

// The statements as the layouts describe them, before CleanUpExpression (which
// NetworkExpression applies while writing): for tests that the two agree.
std::string LiteralNetworkExpression(const CodeExportSettings& settings, const NetworkModel& model,
                                     CodePlan& plan, MessagePort& messages);

// Whether the model's arrays have the sizes a loaded network has; "" when they do,
// otherwise what is wrong, in plain words.
std::string NetworkShapeProblem(const NetworkModel& model);

}  // namespace kdk
