// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "compensation_engine.h"
#include "printed_digits.h"
#include "sheet_builder.h"

namespace asworn {
namespace {

using testing_support::BothEyes;
using testing_support::MatchesPrinted;
using testing_support::Sheet;

TEST(ComputeResultantRx, WorkedExampleOneBothEyesMinusFourMinusOneAtOneEighty) {
  const Compensation c =
      Compute(BothEyes("-4.00", "-1.00", "180", "1.586", "13.0", "10.0", "10", "5"))
          .value()
          .compensation;
  struct Row {
    const ResultantRx& rx;
    const RoundedRx& rounded;
    double off;
    const char *offText, *m11, *m22, *alpha, *axis;
    double axisRounded;
  };
  for (const Row& row : {Row{c.odRx, c.odRounded, c.angles.od.off, "116.3024863", "-4.504021206",
                             "-4.095278259", "-59.29837969", "3.961414949", 4},
                         Row{c.osRx, c.osRounded, c.angles.os.off, "153.6975137", "-4.095278259",
                             "-4.504021206", "-30.70162031", "176.0385851", 176}}) {
    EXPECT_TRUE(MatchesPrinted(row.off, row.offText));
    EXPECT_TRUE(MatchesPrinted(row.rx.m11, row.m11));
    EXPECT_TRUE(MatchesPrinted(row.rx.m22, row.m22));
    EXPECT_TRUE(MatchesPrinted(row.rx.m12, "-0.3748942482"));
    EXPECT_TRUE(MatchesPrinted(row.rx.trace, "-8.599299464"));
    EXPECT_TRUE(MatchesPrinted(row.rx.det, "18.30467442"));
    EXPECT_TRUE(MatchesPrinted(row.rx.cylinder, "-0.8539634572"));
    EXPECT_TRUE(MatchesPrinted(row.rx.sphere, "-3.872668004"));
    EXPECT_TRUE(MatchesPrinted(row.rx.alpha, row.alpha));
    EXPECT_TRUE(MatchesPrinted(row.rx.axis, row.axis));
    EXPECT_EQ(row.rounded.sphere, -3.87);
    EXPECT_EQ(row.rounded.cylinder, -0.85);
    EXPECT_EQ(row.rounded.axis, row.axisRounded);
  }
}

TEST(ComputeResultantRx, WorkedExampleTwoDifferentEyes) {
  const JobSheet sheet = Sheet({{Field::odsph, "+3.00"},
                                {Field::odcyl, "-1.00"},
                                {Field::odaxis, "90"},
                                {Field::ossph, "+2.50"},
                                {Field::oscyl, "-0.75"},
                                {Field::osaxis, "75"},
                                {Field::odn, "1.5"},
                                {Field::osn, "1.5"},
                                {Field::odrvd, "14"},
                                {Field::odfvd, "11"},
                                {Field::osrvd, "14"},
                                {Field::osfvd, "11"},
                                {Field::tilt, "12"},
                                {Field::wrap, "6"}});
  const Compensation c = Compute(sheet).value().compensation;
  EXPECT_TRUE(MatchesPrinted(c.odRx.sphere, "2.848321057"));
  EXPECT_TRUE(MatchesPrinted(c.odRx.cylinder, "-0.8951348347"));
  EXPECT_TRUE(MatchesPrinted(c.odRx.axis, "92.73325688"));
  EXPECT_TRUE(MatchesPrinted(c.osRx.sphere, "2.40346953"));
  EXPECT_TRUE(MatchesPrinted(c.osRx.cylinder, "-0.7194847756"));
  EXPECT_TRUE(MatchesPrinted(c.osRx.axis, "71.16401053"));
  EXPECT_EQ(c.odRounded.sphere, 2.85);
  EXPECT_EQ(c.odRounded.cylinder, -0.9);
  EXPECT_EQ(c.odRounded.axis, 92.7);
  EXPECT_EQ(c.osRounded.sphere, 2.4);
  EXPECT_EQ(c.osRounded.cylinder, -0.72);
  EXPECT_EQ(c.osRounded.axis, 71.2);
}

TEST(ComputeResultantRx, WorkedExampleThreeDefaultJobSheet) {
  const Compensation c = Compute(JobSheet()).value().compensation;
  for (const ResultantRx& rx : {c.odRx, c.osRx}) {
    EXPECT_TRUE(MatchesPrinted(rx.m12, "8.942686257e-07"));
    EXPECT_EQ(rx.m11, 0);
    EXPECT_EQ(rx.m22, 0);
    EXPECT_TRUE(MatchesPrinted(rx.cylinder, "-1.788537251e-06"));
    EXPECT_TRUE(MatchesPrinted(rx.sphere, "8.942686257e-07"));
    EXPECT_DOUBLE_EQ(rx.alpha, 45);
  }
  EXPECT_TRUE(MatchesPrinted(c.odRx.axis, "89.0070272"));
  EXPECT_TRUE(MatchesPrinted(c.osRx.axis, "90.9929728"));
  EXPECT_EQ(c.odRounded.axis, 89);
  EXPECT_EQ(c.osRounded.axis, 91);
  EXPECT_EQ(c.odRounded.cylinder, 0);
}

struct RoundedCase {
  const char *sph, *cyl, *axis;
  double odSph, odCyl, odAxis, osSph, osCyl, osAxis;

  friend void PrintTo(const RoundedCase& c, std::ostream* os) {
    *os << c.sph << " " << c.cyl << " x " << c.axis;
  }
};

class CompensatedRxTest : public ::testing::TestWithParam<RoundedCase> {};

// With the settings of the first worked example: tilt 10, wrap 5, index 1.586, 13.0 to 10.0.
TEST_P(CompensatedRxTest, RoundsToThePrintedPrescription) {
  const RoundedCase& r = GetParam();
  const Compensation c = Compute(BothEyes(r.sph, r.cyl, r.axis, "1.586", "13.0", "10.0", "10", "5"))
                             .value()
                             .compensation;
  EXPECT_EQ(c.odRounded.sphere, r.odSph);
  EXPECT_EQ(c.odRounded.cylinder, r.odCyl);
  EXPECT_EQ(c.odRounded.axis, r.odAxis);
  EXPECT_EQ(c.osRounded.sphere, r.osSph);
  EXPECT_EQ(c.osRounded.cylinder, r.osCyl);
  EXPECT_EQ(c.osRounded.axis, r.osAxis);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, CompensatedRxTest,
    ::testing::Values(
        // No cylinder: the lens's own astigmatism of oblique incidence, axis near outref.
        RoundedCase{"-4.00", "0.00", "180", -3.76, -0.15, 63.3, -3.76, -0.15, 116.7},
        RoundedCase{"+4.00", "0.00", "180", 4.00, -0.15, 153.3, 4.00, -0.15, 26.7},
        // A plus cylinder comes out in minus form.
        RoundedCase{"-4.00", "+1.00", "180", -2.85, -1.03, 86.7, -2.85, -1.03, 93.3},
        // Axes 0 and 180 are one meridian.
        RoundedCase{"-4.00", "-1.00", "0", -3.87, -0.85, 4, -3.87, -0.85, 176}));

// With no tilt the prescribed axis lies on a principal meridian of the wrapped lens. The
// off-diagonal power is then rounding noise and must not decide the axis: the result must
// be the one that axes a thousandth of a degree to either side give.
TEST(ComputeResultantRx, AxisOnAPrincipalMeridianIsStable) {
  const auto compensate = [](const char* sph, const char* cyl, const std::string& axis) {
    return Compute(BothEyes(sph, cyl, axis, "1.586", "13.0", "13.0", "0", "15"))
        .value()
        .compensation;
  };
  // 0 and 180 are one meridian.
  const auto sameMeridian = [](double a, double b) {
    return std::fmod(a, 180) == std::fmod(b, 180);
  };
  for (const char* sph : {"-4.00", "-2.25", "0.00", "+1.50", "+3.75", "-8.00"})
    for (const char* cyl : {"-1.00", "-2.50", "+1.00", "-0.50"})
      for (const auto& [axis, below, above] :
           {std::tuple{"90", "89.999", "90.001"}, std::tuple{"180", "179.999", "0.001"},
            std::tuple{"0", "179.999", "0.001"}}) {
        const Compensation exact = compensate(sph, cyl, axis);
        for (const char* near : {below, above}) {
          const Compensation nearby = compensate(sph, cyl, near);
          for (const auto& [e, n] : {std::pair{exact.odRounded, nearby.odRounded},
                                     std::pair{exact.osRounded, nearby.osRounded}}) {
            EXPECT_TRUE(sameMeridian(e.axis, n.axis))
                << sph << " " << cyl << " x " << axis << ": " << e.axis << " against " << n.axis
                << " at " << near;
            EXPECT_EQ(e.sphere, n.sphere);
            EXPECT_EQ(e.cylinder, n.cylinder);
          }
        }
      }
}

TEST(ComputeResultantRx, CylinderIsNeverPositiveAndAxisStaysInRange) {
  for (const char* cyl : {"+2.00", "-2.00", "0", "+0.25"})
    for (const char* axis : {"0", "1", "45", "89.9", "90", "135", "179", "180"})
      for (const char* tilt : {"0", "7", "20"}) {
        const Compensation c = Compute(BothEyes("-1.5", cyl, axis, "1.6", "12", "14", tilt, "12"))
                                   .value()
                                   .compensation;
        for (const ResultantRx& rx : {c.odRx, c.osRx}) {
          EXPECT_LE(rx.cylinder, 0);
          EXPECT_GE(rx.axis, 0);
          EXPECT_LE(rx.axis, 180);
        }
      }
}

}  // namespace
}  // namespace asworn
