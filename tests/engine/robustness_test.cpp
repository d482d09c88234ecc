// SPDX-License-Identifier: Apache-2.0
// Compute and the lenient conversion under odd texts: the same checks as the fuzz targets,
// over generated texts with a fixed seed, so that every test run makes them.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "compensation_engine.h"
#include "generated_sheets.h"
#include "leading_number_reference.h"
#include "parse_number.h"
#include "ticket_invariants.h"

namespace asworn {
namespace {

using testing_support::BrokenTicketRule;
using testing_support::Describe;
using testing_support::ReferenceLeadingNumber;

// Texts made of the characters that mean something to the conversion, and a few that don't.
TEST(Robustness, LenientConversionFollowsItsRulesOnGeneratedTexts) {
  static constexpr char kAlphabet[] = "0123456789..eE+-  \t\n\r&HhOoFfx,9";
  std::mt19937 random(7);
  std::uniform_int_distribution<int> length(0, 14);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
  for (int i = 0; i < 30000; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += kAlphabet[pick(random)];
    const double value = ParseLeadingNumber(text);
    const double reference = ReferenceLeadingNumber(text);
    ASSERT_EQ(value, reference) << '"' << text << '"';
    ASSERT_EQ(std::signbit(value), std::signbit(reference)) << '"' << text << '"';
  }
}

// Texts that once went wrong. An exponent of -2147483648 fits an int, and a former quick path
// for short decimals subtracted the count of fraction digits from it: a signed overflow,
// which the sanitizer build reports.
struct FoundCase {
  std::string text;
  double expected;

  // Long runs of zeros shortened, so that the test's name stays readable.
  friend void PrintTo(const FoundCase& c, std::ostream* os) {
    if (c.text.size() <= 24) {
      *os << '"' << c.text << '"';
      return;
    }
    *os << '"' << c.text.substr(0, 4) << "...(" << c.text.size() << " characters)..."
        << c.text.substr(c.text.size() - 6) << '"';
  }
};

class FoundByFuzzing : public ::testing::TestWithParam<FoundCase> {};

TEST_P(FoundByFuzzing, ReadsAsTheRulesSay) {
  const FoundCase& c = GetParam();
  const double value = ParseLeadingNumber(c.text);
  EXPECT_EQ(value, c.expected);
  EXPECT_EQ(std::signbit(value), std::signbit(c.expected));
  EXPECT_EQ(value, ReferenceLeadingNumber(c.text));
  EXPECT_EQ(ParseStrictNumber(c.text, NumberFormat{}), c.expected);
  // And as a sphere, Compute goes through with it or stops with a fault.
  JobSheet sheet;
  sheet[Field::odsph] = c.text;
  const ComputeOutcome outcome = Compute(sheet);
  EXPECT_EQ(BrokenTicketRule(sheet, NumberFormat{}, outcome), "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FoundByFuzzing,
    ::testing::Values(FoundCase{"0.5e-2147483648", 0.0}, FoundCase{"-0.5e-2147483648", -0.0},
                      FoundCase{"1.25E-2147483648", 0.0},
                      FoundCase{"0.5e2147483647", std::numeric_limits<double>::infinity()},
                      FoundCase{"0." + std::string(300, '0') + "1e300", 0.1},
                      FoundCase{"0." + std::string(450, '0') + "1e450", 0.1},
                      FoundCase{"0." + std::string(500, '0') + "1", 0.0}));

// Field texts an optician, a damaged file or a stray paste may leave.
const std::vector<std::string> kOddTexts{"",
                                         "0",
                                         "-0",
                                         "+0.00",
                                         "1",
                                         "-1",
                                         "180",
                                         "90",
                                         "-180",
                                         "360",
                                         "1e308",
                                         "-1e308",
                                         "1e400",
                                         "1e-320",
                                         "1e154",
                                         "1e155",
                                         "&HFF",
                                         "&O777",
                                         "&H",
                                         "nan",
                                         "inf",
                                         "-inf",
                                         "1,586",
                                         "1.586",
                                         "1.5e0",
                                         " 1 5 ",
                                         "15\xC2\xB0",
                                         "0.0001",
                                         "-0.0001",
                                         "1e-9",
                                         "2",
                                         "0.5",
                                         "-4.25",
                                         "+3.75",
                                         "100",
                                         "-100",
                                         "13.0",
                                         "3",
                                         "1e15",
                                         "12345678901234567890",
                                         "\r\n",
                                         std::string("1\xD9\xAB") + "5",
                                         std::string("1\xC2\xA0") + "586",
                                         "..5",
                                         "e5",
                                         "-.25"};

TEST(Robustness, ComputeGivesAGoodTicketOrAFaultForOddTexts) {
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, kOddTexts.size() - 1);
  std::uniform_int_distribution<int> coin(0, 2);
  const NumberFormat formats[] = {
      {".", ","}, {",", "."}, {",", "\xC2\xA0"}, {"\xD9\xAB", "\xD9\xAC"}};
  for (int i = 0; i < 4000; ++i) {
    JobSheet sheet;
    // Most fields keep a sensible text, so that Compute gets far with the odd ones.
    for (const FieldInfo& info : kJobSheetFields)
      if (coin(random) == 0) sheet[info.field] = kOddTexts[pick(random)];
    const NumberFormat& format = formats[i % 4];
    const ComputeOutcome outcome = Compute(sheet, format);
    const std::string broken = BrokenTicketRule(sheet, format, outcome);
    ASSERT_EQ(broken, "") << Describe(sheet) << " decimal '" << format.decimalSeparator << "'";
  }
}

}  // namespace
}  // namespace asworn
