#include "core/common/number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kdk {
namespace {

constexpr int kPrecision = 15;

void AppendExponent(std::string& out, int exponent) {
  out.push_back('E');
  out.push_back(exponent < 0 ? '-' : '+');
  int magnitude = std::abs(exponent);
  if (magnitude < 10) out.push_back('0');
  char buffer[8];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
  (void)ec;
  out.append(buffer, end);
}

}  // namespace

void AppendNumberText(std::string& out, double value) {
  if (std::isnan(value)) {
    out += std::signbit(value) ? "-NAN" : "NAN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-INF" : "INF";
    return;
  }
  if (value == 0) {
    out.push_back('0');
    return;
  }

  // Round once to 15 significant digits; the digits and decimal exponent
  // decide between the fixed and the exponent form exactly as %G does.
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, kPrecision - 1);
  (void)ec;
  const char* p = buffer;
  bool negative = *p == '-';
  if (negative) ++p;
  std::string_view text(p, static_cast<size_t>(end - p));
  size_t e_pos = text.find('e');
  int exponent = 0;
  std::from_chars(text.data() + e_pos + 1 + (text[e_pos + 1] == '+' ? 1 : 0),
                  text.data() + text.size(), exponent);

  char digits[kPrecision];
  int digit_count = 0;
  for (size_t i = 0; i < e_pos; ++i) {
    if (text[i] != '.') digits[digit_count++] = text[i];
  }
  while (digit_count > 1 && digits[digit_count - 1] == '0') --digit_count;

  if (negative) out.push_back('-');
  if (exponent < -4 || exponent >= kPrecision) {
    out.push_back(digits[0]);
    if (digit_count > 1) {
      out.push_back('.');
      out.append(digits + 1, static_cast<size_t>(digit_count - 1));
    }
    AppendExponent(out, exponent);
  } else if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out.append(digits, static_cast<size_t>(digit_count));
  } else {
    int integer_digits = exponent + 1;
    for (int i = 0; i < integer_digits; ++i) out.push_back(i < digit_count ? digits[i] : '0');
    if (digit_count > integer_digits) {
      out.push_back('.');
      out.append(digits + integer_digits, static_cast<size_t>(digit_count - integer_digits));
    }
  }
}

bool IsWritableNumber(double value, RealKind kind) {
  // The largest double whose 15-digit text is below 1.797693134862315E+308; the next
  // one is written 1.79769313486232E+308. FLT_MAX's own text reads back as FLT_MAX.
  constexpr double kLargestDouble = 1.7976931348623149e308;
  const double largest = kind == RealKind::Double ? kLargestDouble : FLT_MAX;
  return std::fabs(value) <= largest;  // false for NaN too
}

std::string_view LargestWritableText(RealKind kind) {
  return kind == RealKind::Double ? "1.79769313486231E+308" : "3.40282346638529E+38";
}

std::string NumberText(double value) {
  std::string out;
  AppendNumberText(out, value);
  return out;
}

}  // namespace kdk
