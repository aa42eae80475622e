#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/common/output_file.h"
#include "core/ports/message_port.h"

namespace kdk {

// Writes a converter's text to `output_path`: every line trimmed of blanks and ended
// with CR LF, the whole file or nothing. `show_progress` receives the progress
// label's text ("Files Generated..." and then the path); success ends with "Done
// it!". An empty text only sets the label. A file that cannot be written is reported
// with the system's reason and gives false.
//
// When `model_path` is given, an output that is that file (however named: another
// spelling, a link, a hard link) is refused with a message, so no save can replace
// the model with what was generated from it.
bool WriteGeneratedFile(const std::string& output_path, std::string_view text,
                        const std::function<void(const std::string&)>& show_progress,
                        MessagePort& messages, const std::string& model_path = {});

// The bytes WriteGeneratedFile writes for the text: each line trimmed, ended by CR LF.
std::string GeneratedFileBytes(std::string_view text);

// The inputs a save from this model keeps: the model file, unless it was pasted.
KeptInputs KeepModel(const std::string& model_path);

// True (after reporting SameAsModelMessage) when `output_path` is the model file,
// however named: the output writer's own guard, for a writer that must know before
// it starts (the workbook, made by the spreadsheet engine).
bool RefuseModelFileAsOutput(const std::string& model_path, const std::string& output_path,
                             MessagePort& messages);

}  // namespace kdk
