#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kdk {

// How a double is written into generated text: the general format with at most
// 15 significant digits, as "%.15G" prints it in the "C" locale ("0.5",
// "1.2E-05", "1E+15"), except that negative zero is written "0".
std::string NumberText(double value);

// Appends NumberText(value) without a temporary string.
void AppendNumberText(std::string& out, double value);

// The real type a generated program reads its literals into: double everywhere but
// Fortran 90, whose default REAL is single precision.
enum class RealKind { Double, Single };

// Whether a number may stand as a literal in generated text: it is finite and its
// 15-digit text reads back finite. The largest double so written is 1.79769313486231E+308
// (1.797693134862315E+308 and above round to 1.79769313486232E+308, past DBL_MAX); a
// single-precision REAL holds at most 3.40282346638529E+38.
bool IsWritableNumber(double value, RealKind kind = RealKind::Double);

// "1.79769313486231E+308" or "3.40282346638529E+38": the largest writable text.
std::string_view LargestWritableText(RealKind kind = RealKind::Double);

// Raised by a literal writer handed a number IsWritableNumber refuses. A model is
// checked before anything is generated (NetworkNumberProblem), so this only stops a
// fault from writing "INF" or "NAN" into a program.
struct UnwritableNumber : std::range_error {
  using std::range_error::range_error;
};

}  // namespace kdk
