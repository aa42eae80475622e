#pragma once

#include <string>

namespace kdk {

// How a double is written into generated text: the general format with at most
// 15 significant digits, as "%.15G" prints it in the "C" locale ("0.5",
// "1.2E-05", "1E+15"), except that negative zero is written "0".
std::string NumberText(double value);

// Appends NumberText(value) without a temporary string.
void AppendNumberText(std::string& out, double value);

}  // namespace kdk
