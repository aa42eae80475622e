#include "core/mars/generated_file.h"

#include <vector>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/mars/mars_text_lines.h"

namespace kdk {

bool WriteGeneratedFile(const std::string& output_path, std::string_view text,
                        const std::function<void(const std::string&)>& show_progress,
                        MessagePort& messages) {
  std::string label = "Files Generated...";
  show_progress(label);
  std::vector<std::string> lines;
  if (!SplitTextLines(text, lines)) return true;

  std::string bytes;
  bytes.reserve(text.size() + 2 * lines.size() + 2);
  for (const std::string& line : lines) AppendLine(bytes, line);
  std::string error;
  if (!WriteFileAtomically(output_path, bytes, error)) {
    std::string message = "The file could not be written: ";
    message.append(output_path).append(kCrLf).append(kCrLf).append(error);
    messages.Inform(message, MessageIcon::Critical);
    return false;
  }
  label.append(kCrLf).append(output_path);
  show_progress(label);
  messages.Inform("Done it!");
  return true;
}

}  // namespace kdk
