#include "number_text.h"

#include <charconv>
#include <cmath>

namespace asworn {

double RoundHalfEven(double value, int decimals) {
  constexpr double kScales[] = {1, 10, 100, 1000, 10000};
  const double scale = decimals >= 0 && decimals < 5 ? kScales[decimals] : std::pow(10.0, decimals);
  // nearbyint rounds in the current mode, which is round-to-nearest-even by default.
  return std::nearbyint(value * scale) / scale;
}

std::string NumberText(double value, std::string_view decimalSeparator) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");

  // 15 significant digits in scientific form, "d.dddddddddddddde±x", then laid out plainly.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));

  const bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  const std::size_t e = sci.find('e');
  int exponent = 0;
  const std::string_view exponentText = sci.substr(e + 1 + (sci[e + 1] == '+' ? 1 : 0));
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  std::string digits;
  for (char c : sci.substr(0, e))
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = negative ? "-" : "";
  const int pointAfter = exponent + 1;  // digits before the decimal separator
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

}  // namespace asworn
