#pragma once

#include <string>

#include "core/export/generation_stamp.h"
#include "core/export/web/page_style.h"
#include "core/network/network_model.h"

namespace kdk {

// The network page's own blocks, each without the write-line's final CR LF.
std::string NetworkVariablesBlock(const NetworkModel& model, const PageStyle& style);
std::string CalcNetBlock(const NetworkModel& model);
std::string NormaliseBlock();
std::string TanhBlock();
std::string WarningFunctionsBlock(const NetworkModel& model);
std::string NetworkFormBlock(const NetworkModel& model);
std::string NetworkNotesBlock(const NetworkModel& model, const GenerationStamp& facts);

// The whole page, every block followed by CR LF. Names, description and paths from
// the model stand in it as HTML text; nothing from the model reaches the script but
// numbers.
std::string NetworkPageText(const NetworkModel& model, const PageStyle& style,
                            const GenerationStamp& facts);

}  // namespace kdk
