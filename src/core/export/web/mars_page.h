#pragma once

#include <string>

#include "core/export/generation_stamp.h"
#include "core/export/web/page_style.h"
#include "core/mars/mars_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// The MARS page's own blocks, each without the write-line's final CR LF.
// `allow_missing`: an empty or non-numeric field counts as missing instead of
// stopping the calculation with "Invalid number".
std::string CalcMarsBlock(const MarsModel& model, bool allow_missing, MessagePort& messages);
std::string NullFunctionBlock();
std::string FlagFunctionBlock();
std::string MarsFormBlock(const MarsModel& model);
std::string MarsFactsBlock(const MarsModel& model, const GenerationStamp& facts);

std::string MarsPageText(const MarsModel& model, const PageStyle& style,
                         const GenerationStamp& facts, bool allow_missing, MessagePort& messages);

}  // namespace kdk
