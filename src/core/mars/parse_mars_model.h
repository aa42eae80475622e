#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/mars/mars_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// Fills `model` from the exported text, already split into trimmed lines: the
// basis-function block, the equation and the model statement, then the inputs, the
// categorical flags and the name-conflict warnings. On a text it cannot read it
// reports "Cannot Read Data" and returns false.
bool ParseMarsLines(const std::vector<std::string>& lines, MarsModel& model, MessagePort& messages);

// Parses a whole MARS text as pasted or piped in: its encoding decided once
// (DecodeModelText), then split into trimmed lines and parsed. An empty text fails
// without a message.
bool ParseMarsText(std::string_view text, MarsModel& model, MessagePort& messages);

// Reads the source named by `current.source_kind` ("TEXTFILE": the file at
// `model_path`; "PASTE": the pasted text) and parses it. `current` is replaced only
// when the parse succeeds. An empty pasted text fails without a message.
bool ParseMarsModel(MarsModel& current, const std::string& model_path, MessagePort& messages);

// The "usual number syntax" test used to keep numbers out of the inputs: optional
// sign, digits with an optional point, optional exponent.
bool IsNumberText(std::string_view text);

}  // namespace kdk
