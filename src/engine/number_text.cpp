// SPDX-License-Identifier: Apache-2.0
#include "number_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace asworn {
namespace {

// A number's significant digits, without trailing zeros, and the power of ten of the first.
struct Significand {
  char digits[32];
  std::size_t count = 0;
  int exponent = 0;
};

// Reads the digits and exponent of a scientific text without its sign ("1.25e+02", "5e-01").
// Filled in place, as is every Significand here: a copy of one, read back right after its
// digits were written byte by byte, stalls the processor longer than the rest takes.
void FromScientific(std::string_view sci, Significand& s) {
  s.count = 0;
  const std::size_t e = sci.find('e');
  for (char c : sci.substr(0, e))
    if (c != '.') s.digits[s.count++] = c;
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  const std::string_view exponentText = sci.substr(e + 1 + (sci[e + 1] == '+' ? 1 : 0));
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), s.exponent);
}

// A whole number of hundredths k, as every rounded number on a ticket is, prints as k/100
// exactly when the magnitude is the double nearest to k/100: the two then differ by less
// than half a step of the 15th digit (see below), and k/100 has at most 15 digits.
bool FromHundredths(double magnitude, Significand& s) {
  const double hundredths = std::nearbyint(magnitude * 100);
  if (!(hundredths < 1e15) || hundredths / 100 != magnitude) return false;
  const auto end =
      std::to_chars(s.digits, s.digits + sizeof s.digits, static_cast<long long>(hundredths));
  s.count = static_cast<std::size_t>(end.ptr - s.digits);
  s.exponent = static_cast<int>(s.count) - 3;
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  return true;
}

// |value| rounded to 15 significant digits.
void FifteenDigits(double magnitude, Significand& s) {
  if (FromHundredths(magnitude, s)) return;
  char buffer[64];
  // The shortest text that reads back as the value is, when it has at most 15 digits, the
  // value rounded to 15 digits as well: for a normal double the two differ by at most half a
  // unit in the last place (1.1e-16 relative), well inside half a step of the 15th digit
  // (5e-16 relative at least). Rounding to a precision costs several times more, so it is
  // left for the numbers that need 16 or 17 digits and for subnormals.
  if (magnitude >= DBL_MIN) {
    const auto shortest =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    FromScientific({buffer, static_cast<std::size_t>(shortest.ptr - buffer)}, s);
    if (s.count <= 15) return;
  }
  const auto rounded =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  FromScientific({buffer, static_cast<std::size_t>(rounded.ptr - buffer)}, s);
}

// A text from to_chars with its full stop replaced by `decimalSeparator`.
std::string WithSeparator(const char* begin, const char* end, std::string_view decimalSeparator) {
  const std::string_view text(begin, static_cast<std::size_t>(end - begin));
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos) return std::string(text);
  std::string written(text.substr(0, point));
  written += decimalSeparator;
  written += text.substr(point + 1);
  return written;
}

}  // namespace

double RoundHalfEven(double value, int decimals) {
  constexpr double kScales[] = {1, 10, 100, 1000, 10000};
  const double scale = decimals >= 0 && decimals < 5 ? kScales[decimals] : std::pow(10.0, decimals);
  // nearbyint rounds in the current mode, which is round-to-nearest-even by default.
  return std::nearbyint(value * scale) / scale;
}

std::string NumberText(double value, std::string_view decimalSeparator) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");

  Significand s;
  FifteenDigits(std::abs(value), s);
  const std::string_view digits(s.digits, s.count);
  const int pointAfter = s.exponent + 1;  // digits before the decimal separator

  std::string text;
  text.reserve(s.count + static_cast<std::size_t>(std::abs(pointAfter)) + decimalSeparator.size() +
               2);
  if (value < 0) text += '-';
  if (pointAfter <= 0) {
    text += '0';
    text += decimalSeparator;
    text.append(static_cast<std::size_t>(-pointAfter), '0');
    text += digits;
  } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
    text += digits;
    text.append(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<std::size_t>(pointAfter));
    text += decimalSeparator;
    text += digits.substr(static_cast<std::size_t>(pointAfter));
  }
  return text;
}

std::string FixedText(double value, int decimals, std::string_view decimalSeparator, Sign sign) {
  // Wide enough for DBL_MAX with every place asked for here.
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer + 1, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc{}) return "?";
  char* begin = buffer + 1;
  if (*begin == '-' &&
      std::string_view(begin, static_cast<std::size_t>(end - begin)).find_first_not_of("-0.") ==
          std::string_view::npos)
    ++begin;  // "-0.00" is written "0.00"
  if (sign == Sign::always && *begin != '-' && std::isfinite(value)) *--begin = '+';
  return WithSeparator(begin, end, decimalSeparator);
}

std::string FixedTextBeyond(double value, double limit, int decimals,
                            std::string_view decimalSeparator, Sign sign) {
  // Ten places tell apart anything the tolerances' slack of 1e-9 lets out.
  constexpr int kMostDecimals = 10;
  for (int places = decimals; places < kMostDecimals; ++places) {
    const std::string text = FixedText(std::abs(value), places);
    double written = 0;
    std::from_chars(text.data(), text.data() + text.size(), written);
    if (written > std::abs(limit)) return FixedText(value, places, decimalSeparator, sign);
  }
  return FixedText(value, std::max(decimals, kMostDecimals), decimalSeparator, sign);
}

std::string ExactText(double value, std::string_view decimalSeparator, Exponent exponent) {
  char buffer[400];
  const auto [end, error] =
      exponent == Exponent::never
          ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
          : std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc{}) return "?";
  return WithSeparator(buffer, end, decimalSeparator);
}

}  // namespace asworn
