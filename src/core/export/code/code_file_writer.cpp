#include "core/export/code/code_file_writer.h"

#include "core/common/text_file.h"
#include "core/common/text_utils.h"

namespace kdk {

bool WriteCodeFile(std::string_view text, const std::string& path, std::string& label,
                   MessagePort& messages) {
  label = "Files Generated...";
  if (text.empty()) return true;
  std::string bytes;
  bytes.reserve(text.size() + 2);
  size_t start = 0;
  while (true) {
    const size_t end = text.find(kCrLf, start);
    const std::string_view line =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    bytes.append(TrimBlanks(line));
    bytes.append(kCrLf);
    if (end == std::string_view::npos) break;
    start = end + kCrLf.size();
  }
  std::string error;
  if (!WriteFileAtomically(path, bytes, error)) {
    messages.Inform("Can't write the file " + path + ": " + error, MessageIcon::Critical);
    return false;
  }
  label.append(kCrLf).append(path);
  messages.Inform("Done it!");
  return true;
}

}  // namespace kdk
