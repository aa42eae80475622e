#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kdk::gui {

// The number a cell or box holds: blanks around it are allowed, then an optional
// sign, digits with an optional "." and an optional exponent ("1e3", "-.5", "+2").
// nullopt for anything else, including "inf", "nan" and an empty text.
std::optional<double> ParseCellNumber(std::string_view text);

// The value with exactly `decimals` places ("0.000" style), "." as the point, and no
// minus sign on a value that rounds to zero.
std::string FixedDecimals(double value, int decimals);

// The value rounded to `decimals` places, as FixedDecimals shows it.
double RoundedTo(double value, int decimals);

}  // namespace kdk::gui
