#include "core/export/code/replace_text.h"

namespace kdk {

std::string ReplaceEvery(const std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  size_t pos = 0;
  for (size_t hit = text.find(from, pos); hit != std::string::npos; hit = text.find(from, pos)) {
    out.append(text, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text, pos, std::string::npos);
  return out;
}

}  // namespace kdk
