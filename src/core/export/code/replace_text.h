#pragma once

#include <string>
#include <string_view>

namespace kdk {

// Every occurrence of `from` replaced by `to`, left to right, without overlaps.
// Searches with std::string::find, whose first-character scan keeps passes over
// megabytes of generated code cheap.
std::string ReplaceEvery(const std::string& text, std::string_view from, std::string_view to);

}  // namespace kdk
