#pragma once

#include <string>
#include <string_view>

#include "core/ports/message_port.h"

namespace kdk {

// Writes generated text as a converter's Save does: the label reads "Files
// Generated...", each line is written trimmed of blanks and ended with CR LF, the
// label then names the file and the program says "Done it!". An empty text only
// sets the label. A file that cannot be written is reported and left untouched.
bool WriteCodeFile(std::string_view text, const std::string& path, std::string& label,
                   MessagePort& messages);

}  // namespace kdk
