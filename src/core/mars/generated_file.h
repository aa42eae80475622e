#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/ports/message_port.h"

namespace kdk {

// Writes a converter's text to `output_path`: every line trimmed of blanks and ended
// with CR LF, the whole file or nothing. `show_progress` receives the progress
// label's text ("Files Generated..." and then the path); success ends with "Done
// it!". An empty text only sets the label. A file that cannot be written is reported
// with the system's reason and gives false.
bool WriteGeneratedFile(const std::string& output_path, std::string_view text,
                        const std::function<void(const std::string&)>& show_progress,
                        MessagePort& messages);

}  // namespace kdk
