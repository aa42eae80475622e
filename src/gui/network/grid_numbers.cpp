#include "gui/network/grid_numbers.h"

#include <array>
#include <cctype>
#include <charconv>

#include "core/common/text_utils.h"

namespace kdk::gui {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// sign? (digits ("." digits?)? | "." digits) (("e"|"E") sign? digits)?
bool HasNumberShape(std::string_view text) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  size_t mantissa_digits = 0;
  while (at < text.size() && IsDigit(text[at])) ++at, ++mantissa_digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    size_t exponent_digits = 0;
    while (at < text.size() && IsDigit(text[at])) ++at, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return at == text.size();
}

}  // namespace

std::optional<double> ParseCellNumber(std::string_view text) {
  std::string trimmed = TrimBlanks(text);
  if (!HasNumberShape(trimmed)) return std::nullopt;
  std::string_view digits = trimmed;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  // Out of range ("1e999") is no number a cell can hold.
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::string FixedDecimals(double value, int decimals) {
  std::array<char, 400> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";
  std::string text(buffer.data(), end);
  if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

double RoundedTo(double value, int decimals) {
  return ParseCellNumber(FixedDecimals(value, decimals)).value_or(value);
}

}  // namespace kdk::gui
