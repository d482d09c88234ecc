// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include "angles.h"
#include "printed_digits.h"
#include "prism.h"
#include "sheet_builder.h"

namespace asworn {
namespace {

using testing_support::BeginsWithDigits;
using testing_support::Sheet;

struct PrismCase {
  const char *sph, *cyl, *diam, *index, *bc, *wrap;
  const char* sag;    // nullptr: not printed
  const char* thick;  // nullptr: not printed
  const char* prism;  // unrounded, nullptr: not printed
  double rounded;

  friend void PrintTo(const PrismCase& c, std::ostream* os) {
    *os << c.sph << " " << c.cyl << " diam " << c.diam << " n " << c.index << " bc " << c.bc
        << " wrap " << c.wrap;
  }
};

class ComputePrismTest : public ::testing::TestWithParam<PrismCase> {};

TEST_P(ComputePrismTest, BothEyesGiveThePrintedPrism) {
  const PrismCase& c = GetParam();
  const JobSheet sheet = Sheet({{Field::odsph, c.sph},
                                {Field::odcyl, c.cyl},
                                {Field::oddiam, c.diam},
                                {Field::odn, c.index},
                                {Field::odbc, c.bc},
                                {Field::ossph, c.sph},
                                {Field::oscyl, c.cyl},
                                {Field::osdiam, c.diam},
                                {Field::osn, c.index},
                                {Field::osbc, c.bc},
                                {Field::wrap, c.wrap}});
  const Prism p = ComputePrism(sheet);
  for (const PrismOfOneEye& eye : {p.od, p.os}) {
    if (c.sag) {
      EXPECT_TRUE(BeginsWithDigits(eye.sag, c.sag));
    }
    if (c.thick) {
      EXPECT_TRUE(BeginsWithDigits(eye.thick, c.thick));
    }
    if (c.prism) {
      EXPECT_TRUE(BeginsWithDigits(eye.prism, c.prism));
    }
    EXPECT_EQ(eye.rounded, c.rounded);
    EXPECT_GE(eye.sag, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ComputePrismTest,
    ::testing::Values(
        PrismCase{"0.00", "0.00", "70", "1.586", "8.00", "15", "0", "1.5", "0.219012", 0.22},
        PrismCase{"-4.00", "-1.00", "70", "1.586", "8.00", "15", nullptr, "1.5", nullptr, 0.22},
        PrismCase{"+4.00", "0.00", "70", "1.586", "8.00", "15", "4.180887", "5.680887", "0.829456",
                  0.83},
        PrismCase{"+1.00", "-3.00", "70", "1.586", "8.00", "15", nullptr, "1.5", nullptr, 0.22},
        PrismCase{"-1.00", "+3.00", "70", "1.586", "8.00", "15", "1.045221", "2.545221", "0.371623",
                  0.37},
        PrismCase{"+1.00", "-2.00", "70", "1.586", "8.00", "15", nullptr, "2.545221", nullptr,
                  0.37},
        PrismCase{"0", "0", "70", "1.5", "6.00", "20", nullptr, nullptr, "0.197584", 0.2},
        PrismCase{"0.00", "0.00", "70", "1.586", "8.00", "-15", nullptr, nullptr, nullptr, -0.22},
        PrismCase{"0.00", "0.00", "70", "1.586", "0", "15", nullptr, nullptr, nullptr, 0},
        PrismCase{"0.00", "0.00", "70", "1.586", "+0", "15", nullptr, nullptr, nullptr, 0},
        PrismCase{"PL", "DS", "70", "1.586", "8.00", "15", "0", "1.5", nullptr, 0.22}));

TEST(ComputePrism, BaseCurvePowerInTheMaterial) {
  const Prism p = ComputePrism(Sheet({{Field::odn, "1.5"}, {Field::odbc, "6.00"}}));
  EXPECT_TRUE(BeginsWithDigits(p.od.bcpow, "5.660377"));
  EXPECT_TRUE(BeginsWithDigits(p.os.bcpow, "8.845283"));
}

}  // namespace
}  // namespace asworn
