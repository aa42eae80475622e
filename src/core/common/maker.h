#pragma once

#include <string_view>

namespace kdk {

// Who made the program, as every generated file's header names it. One place, so
// that every generator writes the same by-line and address.
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 1;
inline constexpr std::string_view kMakerByLine = "by Kestrium Software";
inline constexpr std::string_view kMakerWebAddress = "http://www.kestrium.com";

}  // namespace kdk
