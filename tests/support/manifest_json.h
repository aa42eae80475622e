#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk::conformance {

// Model text (code page 1252) as a JSON string, for the manifests the browser and
// LibreOffice suites read: every byte outside printable ASCII as \uXXXX.
std::string Json(std::string_view text);

// A JSON array of `items`, quoted with Json or written as they are.
std::string JsonList(const std::vector<std::string>& items, bool quote);

}  // namespace kdk::conformance
