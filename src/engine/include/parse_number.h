// SPDX-License-Identifier: Apache-2.0
#pragma once
// The two text-to-number conversions of Compute.

#include <optional>
#include <string>
#include <string_view>

#include "number_format.h"

namespace asworn {

// What every reading of an entry takes for a blank, and nothing else: space, tab and line
// feed. The lenient reading drops them anywhere, the strict one around the number, and an
// entry of blanks alone is empty. A carriage return is no blank: it stops a number.
constexpr bool IsEntryBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Lenient: drops every blank (IsEntryBlank), then reads the longest leading number
// (sign, digits with one full stop, exponent). "&H" or "&O" at the start reads the rest as a
// hexadecimal or octal whole number. A text without a leading number is 0. Never fails;
// a number too large for a double comes back infinite, for the caller to refuse.
double ParseLeadingNumber(std::string_view text);

// The lenient reading of a field, with what it left unread: Compute refuses a text whose
// number was cut short ("-4,25" read as -4) or that holds no number at all.
struct LeadingNumber {
  double value = 0.0;
  bool found = false;                // a number was read
  bool restHoldsDigit = false;       // after the number (or in a text without one) stands a digit
  bool restStartsWithComma = false;  // the number ends at a comma: a decimal comma
  bool restStartsWithSign = false;   // a sign stands after the number: "4.25-"
};

// As ParseLeadingNumber, but a minus sign (U+2212) or an en dash (U+2013) in front of the
// number reads as a minus.
LeadingNumber ReadLeadingNumber(std::string_view text);

// The text with every minus sign (U+2212) and en dash (U+2013) written as "-": the same
// number to ReadLeadingNumber, in a character that every code page holds.
std::string WithPlainMinus(std::string_view text);

// The text as the lenient reading takes it under `format`. Where the decimal separator is a
// comma, a text with one comma and no full stop has that comma written as a full stop
// ("-6,00" gives "-6.00"); under a full-stop format it comes back as it is, for the reading to
// refuse its comma. A text that holds a comma beside a full stop or a second comma
// ("1.000,50", "1,5.2", "1,000,5") gives nothing under any format: which of them is a group
// separator would be a guess. A text without a comma comes back as it is.
std::optional<std::string> WithFullStop(std::string_view text, const NumberFormat& format);

// Strict: the whole text, blanks around it aside, must be one number in the user's format
// (sign, digits with group separators, the decimal separator, exponent). Otherwise nothing.
std::optional<double> ParseStrictNumber(std::string_view text, const NumberFormat& format);

}  // namespace asworn
