// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "number_text.h"

namespace asworn {
namespace {

struct TextCase {
  double value;
  const char* text;

  friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.text; }
};

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, WritesThePlainShortestForm) {
  EXPECT_EQ(NumberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NumberTextTest,
    ::testing::Values(
        TextCase{2.5, "2.5"}, TextCase{-0.25, "-0.25"}, TextCase{0, "0"}, TextCase{-0.0, "0"},
        TextCase{0.2, "0.2"}, TextCase{180, "180"}, TextCase{12.35, "12.35"},
        TextCase{-1.75, "-1.75"}, TextCase{90, "90"}, TextCase{0.1 + 0.2, "0.3"},
        TextCase{1e20, "100000000000000000000"}, TextCase{1e-7, "0.0000001"},
        TextCase{-3.87, "-3.87"}, TextCase{123456789012345678.0, "123456789012346000"},
        TextCase{0.000123456789012345678, "0.000123456789012346"}, TextCase{1234.5, "1234.5"},
        TextCase{-0.85, "-0.85"}, TextCase{176, "176"}, TextCase{92.7, "92.7"},
        // Past whole hundredths, past 15 digits, and both sides of 10^13.
        TextCase{2.675, "2.675"}, TextCase{0.005, "0.005"}, TextCase{-92.7, "-92.7"},
        TextCase{1.0 / 3, "0.333333333333333"}, TextCase{2.0 / 3, "0.666666666666667"},
        TextCase{999.9999999999999, "1000"}, TextCase{1234567890123.45, "1234567890123.45"},
        TextCase{9999999999999.99, "9999999999999.99"},
        TextCase{10000000000000.01, "10000000000000"}));

TEST(NumberText, UsesTheLocaleDecimalSeparator) {
  EXPECT_EQ(NumberText(-0.25, ","), "-0,25");
  EXPECT_EQ(NumberText(1234.5, ","), "1234,5");
  EXPECT_EQ(NumberText(92.7, "\xD9\xAB"),
            "92\xD9\xAB"
            "7");
}

// Fixed places and exact texts, each under a full stop and a comma: the one formatter of
// every number written for people (the user's separator) and for machines (a full stop).
struct FormattedCase {
  const char* form;  // "fixed", "beyond" (fixed, reading beyond `limit`) or "exact"
  double value;
  int decimals;  // fixed and beyond only
  Sign sign;
  Exponent exponent;
  const char* fullStop;
  const char* comma;
  double limit = 0;  // beyond only

  std::string Written(std::string_view separator) const {
    if (std::string_view(form) == "beyond")
      return FixedTextBeyond(value, limit, decimals, separator, sign);
    return std::string_view(form) == "fixed" ? FixedText(value, decimals, separator, sign)
                                             : ExactText(value, separator, exponent);
  }
  friend void PrintTo(const FormattedCase& c, std::ostream* os) { *os << c.fullStop; }
};

class FormattedTextTest : public ::testing::TestWithParam<FormattedCase> {};

TEST_P(FormattedTextTest, WritesTheSameDigitsUnderEitherSeparator) {
  EXPECT_EQ(GetParam().Written("."), GetParam().fullStop);
  EXPECT_EQ(GetParam().Written(","), GetParam().comma);
}

constexpr Sign kMinus = Sign::minusOnly;
constexpr Sign kPlus = Sign::always;
constexpr Exponent kShorter = Exponent::whenShorter;
constexpr Exponent kPlain = Exponent::never;

INSTANTIATE_TEST_SUITE_P(
    Forms, FormattedTextTest,
    ::testing::Values(
        FormattedCase{"fixed", -2.37, 2, kMinus, kShorter, "-2.37", "-2,37"},
        FormattedCase{"fixed", 0.5, 2, kMinus, kShorter, "0.50", "0,50"},
        FormattedCase{"fixed", -0.001, 2, kMinus, kShorter, "0.00", "0,00"},
        FormattedCase{"fixed", -0.0, 2, kMinus, kShorter, "0.00", "0,00"},
        FormattedCase{"fixed", 175, 0, kMinus, kShorter, "175", "175"},
        FormattedCase{"fixed", 6.9, 2, kMinus, kShorter, "6.90", "6,90"},
        // The binary value decides: 1.005 is just below, 12.345 just above the half.
        FormattedCase{"fixed", 1.005, 2, kMinus, kShorter, "1.00", "1,00"},
        FormattedCase{"fixed", 12.345, 2, kMinus, kShorter, "12.35", "12,35"},
        FormattedCase{"fixed", 0.125, 2, kMinus, kShorter, "0.12", "0,12"},
        FormattedCase{"fixed", 179.96, 1, kMinus, kShorter, "180.0", "180,0"},
        // Powers: a sign always, none but "+" on a power that rounds to zero.
        FormattedCase{"fixed", 6, 2, kPlus, kShorter, "+6.00", "+6,00"},
        FormattedCase{"fixed", -1.37, 2, kPlus, kShorter, "-1.37", "-1,37"},
        FormattedCase{"fixed", -0.004, 2, kPlus, kShorter, "+0.00", "+0,00"},
        FormattedCase{"fixed", 0.005, 2, kPlus, kShorter, "+0.01", "+0,01"},
        // An error outside its tolerance never reads as the tolerance itself.
        FormattedCase{"beyond", 2.04, 1, kMinus, kShorter, "2.04", "2,04", 2},
        FormattedCase{"beyond", 5.1, 1, kMinus, kShorter, "5.1", "5,1", 3},
        FormattedCase{"beyond", 0.131, 2, kPlus, kShorter, "+0.131", "+0,131", 0.13},
        FormattedCase{"beyond", -0.1301, 2, kPlus, kShorter, "-0.1301", "-0,1301", 0.13},
        FormattedCase{"beyond", 0.334, 2, kMinus, kShorter, "0.334", "0,334", 0.33},
        FormattedCase{"beyond", 2.0000000012, 1, kMinus, kShorter, "2.000000001", "2,000000001", 2},
        FormattedCase{"exact", 0.1 + 0.2, 0, kMinus, kShorter, "0.30000000000000004",
                      "0,30000000000000004"},
        FormattedCase{"exact", 1e-7, 0, kMinus, kShorter, "1e-07", "1e-07"},
        FormattedCase{"exact", 1e-7, 0, kMinus, kPlain, "0.0000001", "0,0000001"},
        FormattedCase{"exact", -2.5, 0, kMinus, kPlain, "-2.5", "-2,5"},
        FormattedCase{"exact", 180, 0, kMinus, kShorter, "180", "180"}));

TEST(ExactText, ReadsBackAsTheSameDouble) {
  for (double value : {1.0 / 3, 8.845283018867926, -0.23685206503233214, 1e300, 1e-300})
    for (Exponent exponent : {Exponent::whenShorter, Exponent::never})
      EXPECT_EQ(std::stod(ExactText(value, ".", exponent)), value) << value;
}

struct RoundCase {
  double value;
  int decimals;
  double expected;

  friend void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.value << " to " << c.decimals;
  }
};

class RoundHalfEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, SendsExactHalvesToTheEvenNeighbour) {
  const RoundCase& c = GetParam();
  EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(Ties, RoundHalfEvenTest,
                         ::testing::Values(RoundCase{-3.125, 2, -3.12}, RoundCase{0.375, 2, 0.38},
                                           RoundCase{92.25, 1, 92.2}, RoundCase{92.75, 1, 92.8},
                                           RoundCase{0.125, 2, 0.12}, RoundCase{2.5, 0, 2},
                                           RoundCase{3.5, 0, 4}, RoundCase{179.96, 1, 180},
                                           RoundCase{0.04, 1, 0}, RoundCase{-1.788537251e-06, 2, 0},
                                           RoundCase{3.961414949, 1, 4},
                                           RoundCase{0.219012, 2, 0.22},
                                           RoundCase{-0.8539634572, 2, -0.85}));

TEST(RoundHalfEven, ATinyNegativeRoundsToAZeroThatPrintsUnsigned) {
  const double rounded = RoundHalfEven(-1.788537251e-06, 2);
  EXPECT_TRUE(std::signbit(rounded));
  EXPECT_EQ(NumberText(rounded), "0");
}

}  // namespace
}  // namespace asworn
