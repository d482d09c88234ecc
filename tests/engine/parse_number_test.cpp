// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "parse_number.h"

namespace asworn {
namespace {

struct LeadingCase {
  const char* text;
  double expected;

  friend void PrintTo(const LeadingCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class ParseLeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(ParseLeadingNumberTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(ParseLeadingNumber(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, ParseLeadingNumberTest,
    ::testing::Values(
        // The field conversions an optician meets.
        LeadingCase{"13.0", 13}, LeadingCase{" 1 3 . 5 mm", 13.5}, LeadingCase{"1,586", 1},
        LeadingCase{"15\xC2\xB0", 15}, LeadingCase{"-.25", -0.25}, LeadingCase{"2.5.1", 2.5},
        LeadingCase{"1.5E2", 150}, LeadingCase{"abc", 0}, LeadingCase{"", 0},
        LeadingCase{"+1.25", 1.25}, LeadingCase{"13mm", 13}, LeadingCase{"1 5", 15},
        LeadingCase{"\t-4.00\n", -4}, LeadingCase{"   ", 0}, LeadingCase{"-", 0},
        LeadingCase{".", 0}, LeadingCase{"+.5", 0.5}, LeadingCase{"5.", 5},
        // A carriage return is no blank: a record's line end stops the number.
        LeadingCase{"15\r\n", 15}, LeadingCase{"1\r5", 1},
        // Exponents: the letter E with optional sign and digits; an incomplete one is not read.
        LeadingCase{"1e-2", 0.01}, LeadingCase{"2E+1", 20}, LeadingCase{"1.5E", 1.5},
        LeadingCase{"1.5E+", 1.5}, LeadingCase{"3e x", 3}, LeadingCase{"1 e 2", 100},
        LeadingCase{"1D2", 1}, LeadingCase{"--1", 0}, LeadingCase{"+-1", 0},
        // Hexadecimal and octal whole numbers after an ampersand.
        LeadingCase{"&H1F", 31}, LeadingCase{"&hff", 255}, LeadingCase{"&O17", 15},
        LeadingCase{"&o8", 0}, LeadingCase{"&H", 0}, LeadingCase{"& H 1 0", 16},
        LeadingCase{"&X1", 0}, LeadingCase{"-&H10", 0},
        // Forms other number readers take: words, hexadecimal floats, a bare exponent.
        LeadingCase{"inf", 0}, LeadingCase{"-infinity", 0}, LeadingCase{"nan", 0},
        LeadingCase{"0x1p3", 0}, LeadingCase{".e5", 0}, LeadingCase{"1.e2", 100},
        LeadingCase{"1e5.5", 1e5}, LeadingCase{"5e-1x", 0.5}, LeadingCase{"00012.50", 12.5},
        // Tiny numbers underflow quietly.
        LeadingCase{"1e-400", 0}));

TEST(ParseLeadingNumber, HugeNumbersComeBackInfiniteForTheCallerToRefuse) {
  EXPECT_EQ(ParseLeadingNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseLeadingNumber("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseLeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(ParseLeadingNumber, ReadsAsManyDigitsAsAreTyped) {
  EXPECT_EQ(ParseLeadingNumber("0.1000000000000000055511151231257827"), 0.1);
  EXPECT_EQ(ParseLeadingNumber("1.586"), 1.586);
}

struct StrictCase {
  const char* text;
  const char* decimal;
  const char* group;
  std::optional<double> expected;

  friend void PrintTo(const StrictCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" decimal '" << c.decimal << "'";
  }
};

class ParseStrictNumberTest : public ::testing::TestWithParam<StrictCase> {};

TEST_P(ParseStrictNumberTest, AcceptsOnlyOneWholeNumber) {
  const StrictCase& c = GetParam();
  EXPECT_EQ(ParseStrictNumber(c.text, NumberFormat{c.decimal, c.group}), c.expected)
      << '"' << c.text << "\" with decimal '" << c.decimal << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, ParseStrictNumberTest,
    ::testing::Values(
        StrictCase{"1.586", ".", ",", 1.586}, StrictCase{"1.586 ", ".", ",", 1.586},
        StrictCase{" 1.74", ".", ",", 1.74}, StrictCase{"+1.5", ".", ",", 1.5},
        StrictCase{"-1.5", ".", ",", -1.5}, StrictCase{".5", ".", ",", 0.5},
        StrictCase{"2.", ".", ",", 2.0}, StrictCase{"1.5e1", ".", ",", 15.0},
        StrictCase{"1,586", ".", ",", 1586.0}, StrictCase{"1,000.5", ".", ",", 1000.5},
        StrictCase{"1.586x", ".", ",", std::nullopt}, StrictCase{"1.586mm", ".", ",", std::nullopt},
        StrictCase{"", ".", ",", std::nullopt}, StrictCase{"   ", ".", ",", std::nullopt},
        StrictCase{"1.5.8", ".", ",", std::nullopt}, StrictCase{"1 586", ".", ",", std::nullopt},
        StrictCase{"abc", ".", ",", std::nullopt}, StrictCase{".", ".", ",", std::nullopt},
        StrictCase{"-", ".", ",", std::nullopt}, StrictCase{"1e", ".", ",", std::nullopt},
        StrictCase{",5", ".", ",", std::nullopt}, StrictCase{"1,", ".", ",", std::nullopt},
        StrictCase{"&H10", ".", ",", std::nullopt}, StrictCase{"1.5,0", ".", ",", std::nullopt},
        // A locale whose decimal separator is the comma.
        StrictCase{"1,586", ",", ".", 1.586}, StrictCase{"1.586", ",", ".", 1586.0},
        StrictCase{"1.586,5", ",", ".", 1586.5}, StrictCase{"1,5x", ",", ".", std::nullopt},
        // A group separator of more than one byte (a no-break space in UTF-8).
        StrictCase{"1\xC2\xA0"
                   "586,25",
                   ",", "\xC2\xA0", 1586.25}));

// How a comma reads: as the decimal separator only where the user's format has it, never as
// a group separator, and a text that would need a guess between the two is refused.
struct CommaCase {
  const char* text;
  const char* decimal;
  std::optional<std::string> expected;
};

class WithFullStopTest : public ::testing::TestWithParam<CommaCase> {};

TEST_P(WithFullStopTest, ReadsOneDecimalCommaAndNoGroupSeparator) {
  const CommaCase& c = GetParam();
  EXPECT_EQ(
      WithFullStop(c.text, NumberFormat{c.decimal, c.decimal == std::string(",") ? "." : ","}),
      c.expected)
      << '"' << c.text << "\" with decimal '" << c.decimal << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, WithFullStopTest,
    ::testing::Values(CommaCase{"-6,00", ",", "-6.00"}, CommaCase{"1,586", ",", "1.586"},
                      CommaCase{",5", ",", ".5"}, CommaCase{"13,0 mm", ",", "13.0 mm"},
                      CommaCase{"-6.00", ",", "-6.00"}, CommaCase{"1.000", ",", "1.000"},
                      CommaCase{"PL", ",", "PL"}, CommaCase{"1.000,50", ",", std::nullopt},
                      CommaCase{"1,5.2", ",", std::nullopt},
                      CommaCase{"1,000,5", ",", std::nullopt},
                      // A full-stop format leaves a lone comma for the reading to refuse.
                      CommaCase{"-6,00", ".", "-6,00"}, CommaCase{"-6.00", ".", "-6.00"},
                      CommaCase{"1,000.5", ".", std::nullopt},
                      CommaCase{"1.5,0", ".", std::nullopt}));

}  // namespace
}  // namespace asworn

namespace asworn {
namespace {

// The quick path for short decimals must give the correctly rounded double, as strtod does.
TEST(ParseLeadingNumber, ShortDecimalsReadExactlyAsTheLibraryReadsThem) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 20000; ++i) {
    const int wholeDigits = static_cast<int>(random() % 8);
    const int fractionDigits = static_cast<int>(random() % 10);
    std::string text = (random() % 2) ? "-" : "";
    for (int d = 0; d < wholeDigits; ++d) text += static_cast<char>('0' + random() % 10);
    text += '.';
    for (int d = 0; d < fractionDigits; ++d) text += static_cast<char>('0' + random() % 10);
    if (wholeDigits + fractionDigits == 0) continue;
    if (random() % 4 == 0) text += "e" + std::to_string(static_cast<int>(random() % 50) - 25);
    EXPECT_EQ(ParseLeadingNumber(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

}  // namespace
}  // namespace asworn
