// SPDX-License-Identifier: Apache-2.0
#pragma once
// A slow second reading of the lenient conversion, written from its rules one by one and
// sharing no code with the engine, so that the two can be compared on any text.

#include <cstdlib>
#include <string>
#include <string_view>

namespace asworn::testing_support {

// The value of `c` as a digit of `radix`, or -1.
inline int DigitOf(char c, int radix) {
  static constexpr std::string_view kDigits = "0123456789abcdef";
  const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  const std::size_t at = kDigits.find(lower);
  if (at == std::string_view::npos || static_cast<int>(at) >= radix) return -1;
  return static_cast<int>(at);
}

inline double ReferenceLeadingNumber(std::string_view typed) {
  // Rule 1: blanks, tabs and line feeds go, wherever they stand. Nothing else does.
  std::string t;
  for (char c : typed)
    if (c != ' ' && c != '\t' && c != '\n') t.push_back(c);

  // "&H" and "&O" at the very start: a hexadecimal or octal whole number, as many digits as
  // follow; no digits is 0. Each digit multiplies what came before by the radix.
  if (t.size() >= 2 && t[0] == '&') {
    int radix = 0;
    if (t[1] == 'h' || t[1] == 'H') radix = 16;
    if (t[1] == 'o' || t[1] == 'O') radix = 8;
    if (radix != 0) {
      double value = 0;
      for (std::size_t i = 2; i < t.size() && DigitOf(t[i], radix) >= 0; ++i)
        value = value * radix + DigitOf(t[i], radix);
      return value;
    }
  }

  // Rules 2 to 5: [sign] digits [. digits] [E [sign] digits], each part as long as it goes.
  std::size_t i = 0;
  std::string sign;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) sign = t[i++];
  std::string whole, fraction;
  while (i < t.size() && DigitOf(t[i], 10) >= 0) whole += t[i++];
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && DigitOf(t[i], 10) >= 0) fraction += t[i++];
  }
  // Rule 6: no digit, no number (a point alone is none either).
  if (whole.empty() && fraction.empty()) return 0;
  std::string exponent;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    std::string expSign;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) expSign = t[j++];
    std::string expDigits;
    while (j < t.size() && DigitOf(t[j], 10) >= 0) expDigits += t[j++];
    if (!expDigits.empty()) exponent = "e" + expSign + expDigits;  // else the E is not read
  }
  // The C library's correctly rounded conversion of the plain form (programs start in the
  // "C" locale, whose decimal point is the full stop).
  const std::string plain =
      sign + (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction) + exponent;
  return std::strtod(plain.c_str(), nullptr);
}

}  // namespace asworn::testing_support
