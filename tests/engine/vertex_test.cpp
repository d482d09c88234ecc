// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include "printed_digits.h"
#include "sheet_builder.h"
#include "vertex.h"

namespace asworn {
namespace {

using testing_support::MatchesPrinted;
using testing_support::Sheet;

TEST(CompensateVertex, WorkedExamples) {
  struct Case {
    const char *sph, *cyl, *rvd, *fvd;
    double gap;
    const char *vsph, *vcyl;
  };
  for (const Case& c :
       {Case{"-4.00", "-1.00", "13.0", "10.0", 3, "-3.95256917", "-0.9735392044"},
        Case{"+4.00", "-1.50", "13.0", "10.0", 3, "4.048582996", "-1.529691308"},
        Case{"-4.00", "-1.00", "12.0", "14.0", -2, "-4.032258065", "-1.018246986"}}) {
    for (Eye eye : {Eye::right, Eye::left}) {
      const bool r = eye == Eye::right;
      const JobSheet sheet = Sheet({{r ? Field::odsph : Field::ossph, c.sph},
                                    {r ? Field::odcyl : Field::oscyl, c.cyl},
                                    {r ? Field::odrvd : Field::osrvd, c.rvd},
                                    {r ? Field::odfvd : Field::osfvd, c.fvd}});
      const VertexResult v = CompensateVertex(sheet, eye);
      EXPECT_DOUBLE_EQ(v.vgap, c.gap);
      EXPECT_TRUE(MatchesPrinted(v.vsph, c.vsph)) << c.sph << " " << c.cyl;
      EXPECT_TRUE(MatchesPrinted(v.vcyl, c.vcyl)) << c.sph << " " << c.cyl;
    }
  }
}

TEST(CompensateVertex, EqualDistancesAndZeroCylinderAreExact) {
  const VertexResult same =
      CompensateVertex(Sheet({{Field::odsph, "-4.37"}, {Field::odcyl, "-1.12"}}), Eye::right);
  EXPECT_EQ(same.vgap, 0);
  EXPECT_EQ(same.vsph, -4.37);
  EXPECT_EQ(same.vcyl, (-4.37 + -1.12) - -4.37);
  const VertexResult noCyl = CompensateVertex(
      Sheet({{Field::odsph, "-6.5"}, {Field::odcyl, "DS"}, {Field::odfvd, "9"}}), Eye::right);
  EXPECT_EQ(noCyl.vcyl, 0);
}

TEST(CompensateVertex, MinusLosesAndPlusGainsWhenFittedCloser) {
  const auto vsph = [](const char* sph, const char* fvd) {
    return CompensateVertex(Sheet({{Field::odsph, sph}, {Field::odfvd, fvd}}), Eye::right).vsph;
  };
  EXPECT_GT(vsph("-6", "10"), -6);
  EXPECT_GT(vsph("6", "10"), 6);
  EXPECT_LT(vsph("-6", "16"), -6);
  EXPECT_LT(vsph("6", "16"), 6);
}

TEST(CompensateVertex, EachEyeReadsOnlyItsOwnFields) {
  const JobSheet a = Sheet({{Field::odsph, "-3"}, {Field::odfvd, "10"}});
  JobSheet b = a;
  b[Field::osfvd] = "20";
  b[Field::ossph] = "+5";
  const VertexResult ra = CompensateVertex(a, Eye::right);
  const VertexResult rb = CompensateVertex(b, Eye::right);
  EXPECT_EQ(ra.vsph, rb.vsph);
  EXPECT_EQ(ra.vcyl, rb.vcyl);
}

}  // namespace
}  // namespace asworn
