// SPDX-License-Identifier: Apache-2.0
// Properties of the compensation over many generated prescriptions: the two eyes are mirror
// images, a lens worn untilted at the refracted distance needs no change, and tilt, wrap and
// vertex distance move the powers the way the optics says.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "compensation_engine.h"
#include "generated_sheets.h"
#include "sheet_builder.h"

namespace asworn {
namespace {

using testing_support::AxisText;
using testing_support::Describe;
using testing_support::DioptreText;
using testing_support::SheetGenerator;

constexpr int kCases = 1500;

struct Rx {
  int sph, cyl;  // hundredths of a dioptre
  int axis;      // tenths of a degree
};

JobSheet Fitted(const Rx& right, const Rx& left, const std::string& index, const std::string& rvd,
                const std::string& fvd, const std::string& tilt, const std::string& wrap) {
  const auto texts = [](const Rx& rx) {
    return testing_support::EyeRx{DioptreText(rx.sph), DioptreText(rx.cyl), AxisText(rx.axis)};
  };
  return testing_support::Fitting(texts(right), texts(left), index, rvd, fvd, tilt, wrap);
}

Compensation Compensated(const JobSheet& sheet) {
  const ComputeOutcome outcome = Compute(sheet);
  if (!outcome) {
    ADD_FAILURE() << outcome.error().message;
    return Compensation{};
  }
  return outcome->compensation;
}

std::string DegreesText(double degrees) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", degrees);
  return buffer;
}

// The angle between two axes, 0 and 180 being one meridian.
double AxisDistance(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 180);
  return std::min(d, 180 - d);
}

// Distance of `value` from the nearest rounding boundary (a half step) of `step`.
double FromRoundingBoundary(double value, double step) {
  const double units = value / step;
  return std::abs(units - std::floor(units) - 0.5) * step;
}

// Two results equal in exact arithmetic, reached by different roads, differ in their last
// bits. So: the unrounded values lie within `slack`, and the rounded ones are equal, except
// that a value within `slack` of a rounding boundary may round one step the other way.
// `distance` measures how far apart two values are (for axes, modulo 180).
template <typename Distance>
::testing::AssertionResult SameWithinRounding(const char* what, double a, double b, double aRounded,
                                              double bRounded, double step, double slack,
                                              Distance distance) {
  if (distance(a, b) > slack)
    return ::testing::AssertionFailure() << what << " " << a << " against " << b;
  const double roundedApart = distance(aRounded, bRounded);
  if (roundedApart < step / 2) return ::testing::AssertionSuccess();
  if (roundedApart < step * 1.5 && FromRoundingBoundary(a, step) <= slack)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << what << " rounds to " << aRounded << " against "
                                       << bRounded << " (unrounded " << a << " and " << b << ")";
}

double Apart(double a, double b) {
  return std::abs(a - b);
}

// The left eye with the right eye's prescription mirrored (axis 180 minus axis) and the
// same lens gives the right eye's result mirrored: the same sphere and cylinder, the axis
// 180 minus the right axis, modulo 180.
TEST(OpticsProperties, TheLeftEyeIsTheMirrorImageOfTheRight) {
  SheetGenerator gen(20240611);
  for (int i = 0; i < kCases; ++i) {
    const Rx right{gen.Hundredths(-1200, 800), gen.Hundredths(-400, 400), gen.AxisTenths()};
    const Rx left{right.sph, right.cyl, 1800 - right.axis};
    const std::string tilt = DegreesText(gen.Between(-50, 300) / 10.0);
    const std::string wrap = DegreesText((gen.OneIn(5) ? -1 : 1) * gen.Between(1, 300) / 10.0);
    const JobSheet sheet =
        Fitted(right, left, gen.Index(), gen.VertexDistance(), gen.VertexDistance(), tilt, wrap);
    SCOPED_TRACE(Describe(sheet));
    const Compensation c = Compensated(sheet);

    EXPECT_TRUE(SameWithinRounding("sphere", c.osRx.sphere, c.odRx.sphere, c.osRounded.sphere,
                                   c.odRounded.sphere, 0.01, 1e-9, Apart));
    EXPECT_TRUE(SameWithinRounding("cylinder", c.osRx.cylinder, c.odRx.cylinder,
                                   c.osRounded.cylinder, c.odRounded.cylinder, 0.01, 1e-9, Apart));
    // The axis comes from the ratio of the off-diagonal power to a difference of powers;
    // with no cylinder prescribed both are tiny (the off-diagonal power is the 1e-6 guard),
    // and the ratio keeps fewer good bits: 1e-4 degrees, still a thousandth of the tenth an
    // axis is shown to. A cylinder of a ten-thousandth of a dioptre or less has no axis
    // worth the name and is left out.
    if (std::abs(c.odRx.cylinder) > 1e-4) {
      EXPECT_TRUE(SameWithinRounding("axis", c.osRx.axis, 180 - c.odRx.axis, c.osRounded.axis,
                                     180 - c.odRounded.axis, 0.1, 1e-4, AxisDistance));
    }
  }
}

// A lens worn untilted (tilt and wrap 0 or next to it) at the distance it was refracted at needs no
// compensation: the ticket shows the prescription in minus-cylinder form. A plus cylinder is
// transposed: sphere plus cylinder, the cylinder's sign turned, the axis turned by 90 degrees. Axes
// 0 and 180 are one meridian. A prescription without cylinder is a sphere: cylinder 0 and an axis
// that means nothing, so its axis is not compared.
TEST(OpticsProperties, NoTiltAndNoVertexChangeLeaveThePrescriptionAsItIs) {
  const struct {
    const char *tilt, *wrap;
  } kUntilted[] = {{"0", "0"},           {"0", "0.0001"},       {"0", "-0.0001"},
                   {"0.0001", "0.0001"}, {"-0.0002", "0.0001"}, {"0", "0.001"}};
  SheetGenerator gen(20240612);
  for (int i = 0; i < kCases; ++i) {
    const Rx right{gen.Hundredths(-2000, 1200), gen.OneIn(6) ? 0 : gen.Hundredths(-600, 600),
                   gen.AxisTenths()};
    const Rx left{gen.Hundredths(-2000, 1200), gen.OneIn(6) ? 0 : gen.Hundredths(-600, 600),
                  gen.AxisTenths()};
    const std::string distance = gen.VertexDistance();
    const auto& untilted = kUntilted[gen.Between(0, 5)];
    const JobSheet sheet =
        Fitted(right, left, gen.Index(), distance, distance, untilted.tilt, untilted.wrap);
    SCOPED_TRACE(Describe(sheet));
    const ComputeOutcome outcome = Compute(sheet);
    ASSERT_TRUE(outcome.Succeeded());
    const Compensation& c = outcome->compensation;

    for (const auto& [rx, rounded, cylLabel] : {std::tuple{right, c.odRounded, Label::odccyl},
                                                std::tuple{left, c.osRounded, Label::osccyl}}) {
      const bool plus = rx.cyl > 0;
      const int sph = plus ? rx.sph + rx.cyl : rx.sph;
      const int cyl = plus ? -rx.cyl : rx.cyl;
      EXPECT_EQ(rounded.sphere, sph / 100.0);
      EXPECT_EQ(rounded.cylinder, cyl / 100.0);
      if (cyl == 0) {
        EXPECT_EQ(outcome->ticket[cylLabel], "0");
      } else {
        const double axis = (plus ? rx.axis + 900 : rx.axis) / 10.0;
        EXPECT_LT(AxisDistance(rounded.axis, axis), 0.05) << rounded.axis << " against " << axis;
      }
    }
  }
}

// The power matrix of sphere, cylinder and axis, and how far apart two of them are: the
// Frobenius norm of the difference, which does not depend on the frame it is taken in.
struct PowerMatrix {
  double xx, yy, xy;
};

PowerMatrix MatrixOf(double sph, double cyl, double axisDegrees) {
  const double t = axisDegrees * std::acos(-1.0) / 180;
  const double s = std::sin(t), k = std::cos(t);
  return {sph + cyl * s * s, sph + cyl * k * k, -cyl * s * k};
}

double PowerChange(const PowerMatrix& a, const PowerMatrix& b) {
  return std::sqrt((a.xx - b.xx) * (a.xx - b.xx) + (a.yy - b.yy) * (a.yy - b.yy) +
                   2 * (a.xy - b.xy) * (a.xy - b.xy));
}

// A tilted lens is stronger than its nominal power, the more so the more it is tilted, so
// the lens the lab makes is weaker: for a spherical prescription, the mean power comes out
// smaller in magnitude and the induced cylinder larger, both more so with more tilt at the
// same wrap and with more wrap at the same tilt.
TEST(OpticsProperties, CompensationOfASphereGrowsWithTiltAndWithWrap) {
  SheetGenerator gen(20240613);
  for (int i = 0; i < kCases / 5; ++i) {
    int sph = gen.Hundredths(-1200, 800);
    if (std::abs(sph) < 25) sph = -25;
    const Rx rx{sph, 0, gen.AxisTenths()};
    const std::string index = gen.Index(), distance = gen.VertexDistance();
    const bool varyTilt = i % 2 == 0;
    const double fixed = gen.Between(varyTilt ? 1 : 0, 250) / 10.0;
    const double sign = gen.OneIn(3) ? -1 : 1;
    double lastMeanChange[2] = {0, 0}, lastCylinder[2] = {0, 0};
    for (int step = 1; step <= 15; ++step) {
      const double varied = sign * step * 2;
      const JobSheet sheet =
          Fitted(rx, rx, index, distance, distance, DegreesText(varyTilt ? varied : fixed),
                 DegreesText(varyTilt ? fixed : varied));
      SCOPED_TRACE(Describe(sheet));
      const Compensation c = Compensated(sheet);
      for (int eye = 0; eye < 2; ++eye) {
        const ResultantRx& r = eye == 0 ? c.odRx : c.osRx;
        const double mean = r.sphere + r.cylinder / 2;
        const double meanChange = std::abs(mean - sph / 100.0);
        EXPECT_LT(std::abs(mean), std::abs(sph / 100.0));
        EXPECT_GT(mean * sph, 0);
        EXPECT_GT(meanChange, lastMeanChange[eye]) << "mean power change";
        EXPECT_GT(-r.cylinder, lastCylinder[eye]) << "induced cylinder";
        lastMeanChange[eye] = meanChange;
        lastCylinder[eye] = -r.cylinder;
      }
    }
  }
}

// With a cylinder, more tilt alone or more wrap alone also turns the frame the lens is
// compensated in, and the change may dip; tilt and wrap growing together in a fixed ratio
// keep the frame and the change of the whole power grows.
TEST(OpticsProperties, CompensationGrowsWhenTiltAndWrapGrowTogether) {
  SheetGenerator gen(20240614);
  for (int i = 0; i < kCases / 5; ++i) {
    const Rx rx{gen.Hundredths(-1200, 800), gen.Hundredths(-400, 400), gen.AxisTenths()};
    if (rx.sph == 0 && rx.cyl == 0) continue;
    const std::string index = gen.Index(), distance = gen.VertexDistance();
    const double ratio = gen.Between(25, 160) / 100.0;  // wrap up to 38.4 degrees
    const PowerMatrix prescribed = MatrixOf(rx.sph / 100.0, rx.cyl / 100.0, rx.axis / 10.0);
    double lastChange[2] = {0, 0};
    for (int step = 1; step <= 12; ++step) {
      const double tilt = step * 2.0;
      const JobSheet sheet =
          Fitted(rx, rx, index, distance, distance, DegreesText(tilt), DegreesText(tilt * ratio));
      SCOPED_TRACE(Describe(sheet));
      const Compensation c = Compensated(sheet);
      for (int eye = 0; eye < 2; ++eye) {
        const ResultantRx& r = eye == 0 ? c.odRx : c.osRx;
        const double change = PowerChange(MatrixOf(r.sphere, r.cylinder, r.axis), prescribed);
        EXPECT_GT(change, lastChange[eye]) << (eye == 0 ? "right" : "left");
        lastChange[eye] = change;
      }
    }
  }
}

// A minus lens fitted closer to the eye than it was refracted loses power, a plus lens
// gains; fitted farther, the other way round. Both principal powers of the compensated
// prescription follow, whatever the tilt and wrap.
TEST(OpticsProperties, MinusLensFittedCloserLosesPowerAndPlusLensGains) {
  SheetGenerator gen(20240615);
  for (int i = 0; i < kCases; ++i) {
    // Both principal powers of the prescription of one sign and at least half a dioptre.
    const bool minus = i % 2 == 0;
    const int sph = minus ? gen.Hundredths(-1600, -50) : gen.Hundredths(50, 1000);
    const int cyl = gen.OneIn(2) ? gen.Hundredths(-400, 0) : gen.Hundredths(0, 400);
    const Rx rx{sph, minus ? std::min(cyl, -sph - 50) : std::max(cyl, 50 - sph), gen.AxisTenths()};
    const std::string index = gen.Index();
    const std::string tilt = DegreesText(gen.Between(0, 250) / 10.0);
    const std::string wrap = DegreesText(gen.Between(1, 250) / 10.0);
    const int refracted = 5 * gen.Between(22, 32);  // tenths of a millimetre, fitted 5 or more
    const bool closer = gen.OneIn(2);
    const int fitted = refracted + (closer ? -5 : 5) * gen.Between(2, 12);
    const auto mm = [](int tenths) { return DegreesText(tenths / 10.0); };

    const JobSheet same = Fitted(rx, rx, index, mm(refracted), mm(refracted), tilt, wrap);
    const JobSheet moved = Fitted(rx, rx, index, mm(refracted), mm(fitted), tilt, wrap);
    SCOPED_TRACE(Describe(moved));
    const Compensation atSame = Compensated(same);
    const Compensation atMoved = Compensated(moved);
    const bool stronger = minus != closer;
    for (const auto& [before, after] :
         {std::pair{atSame.odRx, atMoved.odRx}, std::pair{atSame.osRx, atMoved.osRx}}) {
      const double powersBefore[] = {before.sphere, before.sphere + before.cylinder};
      const double powersAfter[] = {after.sphere, after.sphere + after.cylinder};
      for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(powersAfter[k] < 0, minus) << "principal power " << powersAfter[k];
        if (stronger)
          EXPECT_GT(std::abs(powersAfter[k]), std::abs(powersBefore[k]));
        else
          EXPECT_LT(std::abs(powersAfter[k]), std::abs(powersBefore[k]));
      }
    }
  }
}

}  // namespace
}  // namespace asworn
