#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ports/message_port.h"

namespace kdk {

// Reads a rules text file line by line, each line trimmed of blanks, in the model
// text's encoding (DecodeModelText). Reports "There is a problem trying to read the
// model data from the file." when it cannot read it.
bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines,
                       MessagePort& messages);

// Splits text at its line ends (CR LF, and the lone LF or CR that text from the
// clipboard may carry), each piece trimmed of blanks. A final line end gives a final
// empty piece. False, with no list, when the text is empty.
bool SplitTextLines(std::string_view text, std::vector<std::string>& lines);

// The message for a MARS text holding a character model text cannot represent.
std::string UnrepresentableTextMessage(std::string_view reason);

}  // namespace kdk
