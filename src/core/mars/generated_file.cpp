#include "core/mars/generated_file.h"

#include <vector>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/mars/mars_model.h"
#include "core/mars/mars_text_lines.h"

namespace kdk {

std::string GeneratedFileBytes(std::string_view text) {
  std::vector<std::string> lines;
  if (!SplitTextLines(text, lines)) return {};
  std::string bytes;
  bytes.reserve(text.size() + 2 * lines.size() + 2);
  for (const std::string& line : lines) AppendLine(bytes, line);
  return bytes;
}

std::string SameAsModelMessage(const std::string& output_path) {
  std::string message = "The file was not written: ";
  message.append(output_path).append(kCrLf).append(kCrLf);
  message.append("It is the model file itself. Choose another name so the model is not lost.");
  return message;
}

bool RefuseModelFileAsOutput(const std::string& model_path, const std::string& output_path,
                             MessagePort& messages) {
  if (model_path.empty() || model_path == kPastedModelPath) return false;
  if (!IsSameFile(model_path, output_path)) return false;
  messages.Inform(SameAsModelMessage(output_path), MessageIcon::Critical);
  return true;
}

bool WriteGeneratedFile(const std::string& output_path, std::string_view text,
                        const std::function<void(const std::string&)>& show_progress,
                        MessagePort& messages, const std::string& model_path) {
  std::string label = "Files Generated...";
  show_progress(label);
  if (text.empty()) return true;
  if (RefuseModelFileAsOutput(model_path, output_path, messages)) return false;
  std::string error;
  if (!WriteFileAtomically(output_path, GeneratedFileBytes(text), error)) {
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
