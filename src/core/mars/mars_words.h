#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// Whether the text is one name (IsModelNameStart, IsModelNameChar) and nothing else.
bool IsMarsName(std::string_view text);

// Calls `visit(start, length)` for every name in the text, in order. Numbers (2.5,
// 1.5E-03) are skipped whole, so the "E" of an exponent is never a name.
void ForEachMarsName(std::string_view text, const std::function<void(size_t, size_t)>& visit);

// The text with every whole name for which `replacement` answers a text replaced by
// it; a name inside a longer name is never touched. Linear in the text.
std::string ReplaceMarsNames(
    std::string_view text,
    const std::function<std::optional<std::string>(std::string_view name)>& replacement);

// Splits the text at every occurrence of `word` that stands as a word of its own
// (COLOR and ORDERS are not split at their "OR").
std::vector<std::string> SplitAtWord(std::string_view text, std::string_view word);

}  // namespace kdk
