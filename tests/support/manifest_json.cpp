#include "support/manifest_json.h"

#include <cstdio>

#include "core/common/model_text.h"

namespace kdk::conformance {

std::string Json(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < 0x20 || byte >= 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x",
                    static_cast<unsigned>(CodePointOfCp1252(byte)));
      out.append(buffer);
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

std::string JsonList(const std::vector<std::string>& items, bool quote) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out.push_back(',');
    out.append(quote ? Json(items[i]) : items[i]);
  }
  return out + "]";
}

}  // namespace kdk::conformance
