#include "gui/network/grid_numbers.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

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
  if (!std::isfinite(value) || decimals < 0) return "0";
  // The 15 significant digits the program shows of any number, then rounded on those
  // decimal digits with halves away from zero (0.125 -> "0.13", -2.675 -> "-2.68").
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                          std::fabs(value), std::chars_format::scientific, 14);
  if (error != std::errc()) return "0";
  const std::string_view text(buffer.data(), static_cast<size_t>(end - buffer.data()));
  const size_t e = text.find('e');
  std::string digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
  const int exponent = std::stoi(std::string(text.substr(e + 1)));
  // digits x 10^(exponent - 14); keep the ones down to 10^-decimals.
  const long keep = static_cast<long>(exponent) + 1 + decimals;
  std::string kept;  // the rounded value times 10^decimals, as decimal digits
  if (keep >= static_cast<long>(digits.size())) {
    kept = digits + std::string(static_cast<size_t>(keep) - digits.size(), '0');
  } else if (keep >= 0) {
    kept = digits.substr(0, static_cast<size_t>(keep));
    if (digits[static_cast<size_t>(keep)] >= '5') {
      size_t i = kept.size();
      while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
      if (i == 0) {
        kept.insert(kept.begin(), '1');
      } else {
        ++kept[i - 1];
      }
    }
  }
  const size_t width = static_cast<size_t>(decimals) + 1;
  if (kept.size() < width) kept.insert(0, width - kept.size(), '0');
  std::string out = value < 0 && kept.find_first_not_of('0') != std::string::npos ? "-" : "";
  out.append(kept, 0, kept.size() - static_cast<size_t>(decimals));
  if (decimals > 0) out.append(".").append(kept, kept.size() - static_cast<size_t>(decimals));
  return out;
}

double RoundedTo(double value, int decimals) {
  return ParseCellNumber(FixedDecimals(value, decimals)).value_or(value);
}

}  // namespace kdk::gui
