#include <gtest/gtest.h>

#include <cmath>

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
