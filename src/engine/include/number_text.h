#pragma once
// Rounding and the texts of computed numbers on the work ticket.

#include <string>
#include <string_view>

namespace asworn {

// Rounds to `decimals` places: scaled by 10^decimals, rounded to the nearest whole number
// with exact halves going to the even one, scaled back.
double RoundHalfEven(double value, int decimals);

// Plain decimal text with at most 15 significant digits, no trailing zeros, no group
// separators, '0' before a leading separator, and "0" for any zero (also -0).
std::string NumberText(double value, std::string_view decimalSeparator = ".");

}  // namespace asworn
