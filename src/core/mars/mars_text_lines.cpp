#include "core/mars/mars_text_lines.h"

#include "core/common/model_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"

namespace kdk {

bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines,
                       MessagePort& messages) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    std::string text = "There is a problem trying to read the model data from the file.";
    text.append(kCrLf).append(kCrLf).append(error);
    messages.Inform(text);
    return false;
  }
  std::string text;
  if (!DecodeModelText(bytes, text, error)) {
    messages.Inform(UnrepresentableTextMessage(error), MessageIcon::Critical);
    return false;
  }
  lines.clear();
  for (const std::string& line : SplitIntoLines(text)) lines.push_back(TrimBlanks(line));
  return true;
}

std::string UnrepresentableTextMessage(std::string_view reason) {
  std::string text = "Cannot Read Data";
  text.append(kCrLf).append(kCrLf).append(reason);
  return text;
}

bool SplitTextLines(std::string_view text, std::vector<std::string>& lines) {
  if (text.empty()) return false;
  lines.clear();
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(TrimBlanks(text.substr(start, i - start)));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(TrimBlanks(text.substr(start)));
  return true;
}

}  // namespace kdk
