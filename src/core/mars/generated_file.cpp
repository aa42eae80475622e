#include "core/mars/generated_file.h"

#include <vector>

#include "core/common/output_file.h"
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

KeptInputs KeepModel(const std::string& model_path) {
  if (model_path == kPastedModelPath) return {};
  return {model_path, {}};
}

bool RefuseModelFileAsOutput(const std::string& model_path, const std::string& output_path,
                             MessagePort& messages) {
  const std::string refusal = KeptInputRefusal(KeepModel(model_path), output_path);
  if (refusal.empty()) return false;
  messages.Inform(refusal, MessageIcon::Critical);
  return true;
}

bool WriteGeneratedFile(const std::string& output_path, std::string_view text,
                        const std::function<void(const std::string&)>& show_progress,
                        MessagePort& messages, const std::string& model_path) {
  std::string label = "Files Generated...";
  show_progress(label);
  if (text.empty()) return true;
  std::string error;
  if (!WriteOutputFile(output_path, GeneratedFileBytes(text), error, KeepModel(model_path))) {
    messages.Inform(error, MessageIcon::Critical);
    return false;
  }
  label.append(kCrLf).append(output_path);
  show_progress(label);
  messages.Inform("Done it!");
  return true;
}

}  // namespace kdk
