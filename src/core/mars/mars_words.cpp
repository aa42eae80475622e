#include "core/mars/mars_words.h"

#include "core/common/model_text.h"

namespace kdk {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The end of the number that starts at `i` (digits, points, an exponent).
size_t NumberEnd(std::string_view text, size_t i) {
  while (i < text.size() && (IsDigit(text[i]) || text[i] == '.')) ++i;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    size_t exponent = i + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      i = exponent;
      while (i < text.size() && IsDigit(text[i])) ++i;
    }
  }
  return i;
}

}  // namespace

bool IsMarsName(std::string_view text) {
  if (text.empty() || !IsModelNameStart(text[0])) return false;
  for (char c : text) {
    if (!IsModelNameChar(c)) return false;
  }
  return true;
}

void ForEachMarsName(std::string_view text, const std::function<void(size_t, size_t)>& visit) {
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsDigit(c) || (c == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
      i = NumberEnd(text, i);
    } else if (IsModelNameStart(c)) {
      size_t end = i;
      while (end < text.size() && IsModelNameChar(text[end])) ++end;
      visit(i, end - i);
      i = end;
    } else {
      ++i;
    }
  }
}

std::string ReplaceMarsNames(
    std::string_view text,
    const std::function<std::optional<std::string>(std::string_view name)>& replacement) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  size_t copied = 0;
  ForEachMarsName(text, [&](size_t start, size_t length) {
    std::optional<std::string> with = replacement(text.substr(start, length));
    if (!with) return;
    out.append(text.substr(copied, start - copied)).append(*with);
    copied = start + length;
  });
  out.append(text.substr(copied));
  return out;
}

std::vector<std::string> SplitAtWord(std::string_view text, std::string_view word) {
  std::vector<std::string> pieces;
  size_t start = 0;
  ForEachMarsName(text, [&](size_t at, size_t length) {
    if (text.substr(at, length) != word) return;
    pieces.emplace_back(text.substr(start, at - start));
    start = at + length;
  });
  pieces.emplace_back(text.substr(start));
  return pieces;
}

}  // namespace kdk
