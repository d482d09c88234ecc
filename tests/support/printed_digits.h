// SPDX-License-Identifier: Apache-2.0
#pragma once
// Comparing a computed double with a value printed to some significant digits.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace asworn::testing_support {

// True when `actual`, rounded to as many significant digits as `printed` shows, is `printed`.
inline ::testing::AssertionResult MatchesPrinted(double actual, const std::string& printed) {
  const double expected = std::stod(printed);
  int significant = 0;
  bool leading = true;
  for (char c : printed) {
    if (c == 'e' || c == 'E') break;
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++significant;
  }
  if (expected == 0)
    return std::abs(actual) < 1e-12 ? ::testing::AssertionSuccess()
                                    : ::testing::AssertionFailure() << actual << " is not 0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::abs(expected))));
  const double halfUnit = 0.5 * std::pow(10.0, exponent - significant + 1);
  if (std::abs(actual - expected) <= halfUnit * 1.0000001) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << std::to_string(actual) << " (" << actual << ") does not print as " << printed;
}

// For values printed cut off with an ellipsis ("1.045221…"): `actual` begins with those digits.
inline ::testing::AssertionResult BeginsWithDigits(double actual, const std::string& printed) {
  const std::size_t point = printed.find('.');
  const int decimals =
      point == std::string::npos ? 0 : static_cast<int>(printed.size() - point - 1);
  const double unit = std::pow(10.0, -decimals);
  const double expected = std::stod(printed);
  const double cut = std::trunc(actual / unit) * unit;
  if (std::abs(cut - expected) < unit / 2) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " does not begin with " << printed;
}

}  // namespace asworn::testing_support
