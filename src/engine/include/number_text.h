// SPDX-License-Identifier: Apache-2.0
#pragma once
// Rounding, and every text this program writes for a number: on the ticket, in the as-worn
// check, in DCS answers and detail values. The decimal separator is a parameter: the user's
// for texts people read, a full stop for files and machines. No group separators anywhere.

#include <string>
#include <string_view>

namespace asworn {

// Rounds to `decimals` places: scaled by 10^decimals, rounded to the nearest whole number
// with exact halves going to the even one, scaled back.
double RoundHalfEven(double value, int decimals);

// Plain decimal text with at most 15 significant digits, no trailing zeros, no group
// separators, '0' before a leading separator, and "0" for any zero (also -0).
std::string NumberText(double value, std::string_view decimalSeparator = ".");

enum class Sign { minusOnly, always };

// Exactly `decimals` places, the binary value rounded as printf's "%.*f" rounds it. A value
// that rounds to zero has no minus; Sign::always puts "+" before the others, as a power is
// written ("+1.25", "+0.00").
std::string FixedText(double value, int decimals, std::string_view decimalSeparator = ".",
                      Sign sign = Sign::minusOnly);

// As FixedText, with more places than `decimals` where fewer would not read beyond `limit`
// in magnitude: an error just outside its tolerance never reads as equal to it ("2.04", not
// "2.0", beside a tolerance of 2).
std::string FixedTextBeyond(double value, double limit, int decimals,
                            std::string_view decimalSeparator = ".", Sign sign = Sign::minusOnly);

enum class Exponent { whenShorter, never };

// The shortest text that reads back as exactly `value`: for checking a result by hand and
// for files that must give the same double again. Exponent::never for readers that take plain
// decimals only ("0.0000001", not "1e-07").
std::string ExactText(double value, std::string_view decimalSeparator = ".",
                      Exponent exponent = Exponent::whenShorter);

}  // namespace asworn
