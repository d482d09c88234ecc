// SPDX-License-Identifier: Apache-2.0
#include "parse_number.h"

// newlocale and strtod_l are POSIX, declared by the C headers rather than in std.
#include <locale.h>  // NOLINT(modernize-deprecated-headers)
#include <stdlib.h>  // NOLINT(modernize-deprecated-headers)

#include <charconv>
#include <optional>
#include <string>
#include <system_error>

namespace asworn {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A number that from_chars found too large or too small for a double, in the form
// [digits][.digits][e[sign]digits] (no sign): strtod gives infinity for a huge number and
// zero (or a subnormal) for a tiny one, where from_chars leaves the value alone. The "C"
// locale keeps '.' the decimal point whatever locale the front end has set.
double OutOfRange(std::string_view digits) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string copy(digits);
  return strtod_l(copy.c_str(), nullptr, cLocale);
}

// Converts a number already known to have the form [digits][.digits][e[sign]digits]
// (no sign), independent of the C locale.
double ConvertUnsigned(std::string_view digits) {
  if (digits.empty()) return 0.0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) value = OutOfRange(digits);
  return value;
}

// The leading unsigned number of `text`: the longest [digits][.digits][e[sign]digits] with a
// digit before the exponent, which is just what from_chars reads once the text starts with a
// digit or a full stop (otherwise it would take a sign, "inf" or "nan" as well).
struct UnsignedNumber {
  double value = 0.0;
  std::size_t length = 0;  // 0: no number
};
UnsignedNumber ReadUnsigned(std::string_view text) {
  UnsignedNumber number;
  if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) return number;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number.value);
  if (ec == std::errc::invalid_argument) return number;
  number.length = static_cast<std::size_t>(end - text.data());
  if (ec == std::errc::result_out_of_range)
    number.value = OutOfRange(text.substr(0, number.length));
  return number;
}

// Reads a whole number in `radix` from the start of `digits`; `used` is how many characters
// it took.
double ParseRadixWhole(std::string_view digits, int radix, std::size_t& used) {
  double value = 0.0;
  used = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    if (d >= radix) break;
    value = value * radix + d;
    ++used;
  }
  return value;
}

// U+2212 MINUS SIGN and U+2013 EN DASH, as word processors and phones put them for a minus.
constexpr std::string_view kUnicodeMinus = "\xE2\x88\x92";
constexpr std::string_view kEnDash = "\xE2\x80\x93";

// The leading number of a text whose blanks are already gone.
LeadingNumber ScanLeadingNumber(std::string_view s) {
  LeadingNumber result{};
  std::size_t used = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'h' || s[1] == 'H' || s[1] == 'o' || s[1] == 'O')) {
    const int radix = (s[1] == 'h' || s[1] == 'H') ? 16 : 8;
    result.value = ParseRadixWhole(s.substr(2), radix, used);
    result.found = used > 0;
    used += 2;
  } else {
    std::string_view rest(s);
    bool negative = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
      negative = rest[0] == '-';
      rest.remove_prefix(1);
    }
    const UnsignedNumber number = ReadUnsigned(rest);
    if (number.length > 0) {
      result.value = negative ? -number.value : number.value;
      result.found = true;
      used = number.length + (s.size() - rest.size());
    }
  }
  if (!result.found) used = 0;
  const std::string_view left = s.substr(used);
  for (char c : left)
    if (IsDigit(c)) result.restHoldsDigit = true;
  result.restStartsWithComma = result.found && !left.empty() && left.front() == ',';
  result.restStartsWithSign =
      result.found && (left.starts_with('+') || left.starts_with('-') ||
                       left.starts_with(kUnicodeMinus) || left.starts_with(kEnDash));
  return result;
}

// The text without its blanks. Field texts are short enough to stay inside the string.
std::string WithoutBlanks(std::string_view text) {
  std::string stripped;
  stripped.reserve(text.size());
  for (char c : text)
    if (!IsEntryBlank(c)) stripped += c;
  return stripped;
}

bool HasBlank(std::string_view text) {
  for (char c : text)
    if (IsEntryBlank(c)) return true;
  return false;
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
  if (!HasBlank(text)) return ScanLeadingNumber(text).value;
  return ScanLeadingNumber(WithoutBlanks(text)).value;
}

std::string WithPlainMinus(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  while (!text.empty()) {
    if (text.starts_with(kUnicodeMinus) || text.starts_with(kEnDash)) {
      plain += '-';
      text.remove_prefix(kUnicodeMinus.size());  // both are three bytes long
    } else {
      plain += text.front();
      text.remove_prefix(1);
    }
  }
  return plain;
}

LeadingNumber ReadLeadingNumber(std::string_view text) {
  if (!HasBlank(text) && !text.starts_with('\xE2')) return ScanLeadingNumber(text);
  std::string s = WithoutBlanks(text);
  for (std::string_view dash : {kUnicodeMinus, kEnDash}) {
    if (!s.starts_with(dash)) continue;
    s[dash.size() - 1] = '-';
    return ScanLeadingNumber(std::string_view(s).substr(dash.size() - 1));
  }
  return ScanLeadingNumber(s);
}

std::optional<std::string> WithFullStop(std::string_view text, const NumberFormat& format) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::string(text);
  if (text.find(',', comma + 1) != std::string_view::npos ||
      text.find('.') != std::string_view::npos)
    return std::nullopt;
  if (format.decimalSeparator != ",") return std::string(text);
  std::string plain(text);
  plain[comma] = '.';
  return plain;
}

std::optional<double> ParseStrictNumber(std::string_view text, const NumberFormat& format) {
  while (!text.empty() && IsEntryBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsEntryBlank(text.back())) text.remove_suffix(1);

  // Rewrite into the plain form "digits.digitsE±digits", checking the shape as we go.
  std::string plain;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const std::string_view& dec = format.decimalSeparator;
  const std::string_view& group = format.groupSeparator;
  bool sawDigit = false;
  while (!text.empty()) {
    if (IsDigit(text[0])) {
      plain += text[0];
      sawDigit = true;
      text.remove_prefix(1);
    } else if (sawDigit && !group.empty() && text.starts_with(group) && group != dec) {
      text.remove_prefix(group.size());  // group separators only between integer digits
      if (text.empty() || !IsDigit(text[0])) return std::nullopt;
    } else {
      break;
    }
  }
  if (!dec.empty() && text.starts_with(dec)) {
    plain += '.';
    text.remove_prefix(dec.size());
    while (!text.empty() && IsDigit(text[0])) {
      plain += text[0];
      sawDigit = true;
      text.remove_prefix(1);
    }
  }
  if (!sawDigit) return std::nullopt;
  if (!text.empty() && (text[0] == 'e' || text[0] == 'E')) {
    plain += 'e';
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
      plain += text[0];
      text.remove_prefix(1);
    }
    if (text.empty() || !IsDigit(text[0])) return std::nullopt;
    while (!text.empty() && IsDigit(text[0])) {
      plain += text[0];
      text.remove_prefix(1);
    }
  }
  if (!text.empty()) return std::nullopt;
  if (plain.front() == '.') plain.insert(plain.begin(), '0');
  const double magnitude = ConvertUnsigned(plain);
  return negative ? -magnitude : magnitude;
}

}  // namespace asworn
