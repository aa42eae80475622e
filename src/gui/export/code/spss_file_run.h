#pragma once

#include <string>
#include <vector>

#include "core/export/code/spss_data_match.h"

class QLabel;

namespace kdk::gui {

struct GuiContext;

// The load-SPSS-file button of both SPSS windows: choose the data file, confirm,
// check it against the inputs and run `syntax` on it with the SPSS engine. The
// progress label names the result file. Returns the data file chosen ("" when
// cancelled).
std::string RunSyntaxOnSpssFile(GuiContext& context, const std::vector<SpssInput>& inputs,
                                const std::string& syntax, QLabel* progress);

}  // namespace kdk::gui
