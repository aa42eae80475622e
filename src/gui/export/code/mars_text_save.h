#pragma once

#include <string>
#include <string_view>

#include "core/model_state.h"

class QLabel;

namespace kdk::gui {

struct GuiContext;

// The Save button of a MARS text window: the save dialog proposes the model name plus
// `name_suffix` (the model's own name is left as it was), the chosen file becomes the
// shared output path, and after the readiness check the text is written with the
// progress shown in `progress`. The network's SQL window saves the same way, checking
// for a loaded network instead.
void SaveMarsText(GuiContext& context, std::string_view name_suffix, std::string_view filter,
                  const std::string& text, QLabel* save_as, QLabel* progress,
                  int model_type = kMarsModelType);

// Copy: the exact text onto the clipboard.
void CopyMarsText(GuiContext& context, const std::string& text);

}  // namespace kdk::gui
