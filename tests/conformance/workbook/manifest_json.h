#pragma once

// The JSON the workbook and VB form suites write for their Python checkers: model text
// (code page 1252) as \u escapes of its characters.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/model_text.h"

namespace kdk::conformance {

inline std::string Json(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c < 0x20 || c >= 0x80) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x",
                    static_cast<unsigned>(CodePointOfCp1252(c)));
      out.append(escaped);
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out + "\"";
}

// Items already written as JSON, as a list.
inline std::string JsonList(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
  return out + "]";
}

}  // namespace kdk::conformance
