// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include "angles.h"
#include "printed_digits.h"
#include "sheet_builder.h"
#include "tilt_factors.h"

namespace asworn {
namespace {

using testing_support::MatchesPrinted;
using testing_support::Sheet;

constexpr double kDegree = 180 / 3.14159265358979323846;

TEST(SetUpAngles, TiltTenWrapFive) {
  const JobSheet sheet = Sheet({{Field::tilt, "10"}, {Field::wrap, "5"}});
  const Radians r = TiltAndWrapRadians(sheet);
  EXPECT_TRUE(MatchesPrinted(r.tiltrad, "0.1745329252"));
  EXPECT_TRUE(MatchesPrinted(r.wraprad, "0.0872664626"));
  const Angles a = SetUpAngles(sheet, r);
  EXPECT_TRUE(MatchesPrinted(a.od.inref, "63.69751365"));
  EXPECT_TRUE(MatchesPrinted(a.od.outref, "63.25979464"));
  EXPECT_TRUE(MatchesPrinted(a.os.inref, "26.30248635"));
  EXPECT_TRUE(MatchesPrinted(a.os.outref, "26.74020536"));
  EXPECT_TRUE(MatchesPrinted(a.od.off, "116.3024863"));
  EXPECT_TRUE(MatchesPrinted(a.os.off, "153.6975137"));
}

TEST(SetUpAngles, AxisZeroAndAxisOneEightyGiveTheSameOffsets) {
  const JobSheet at180 = Sheet({{Field::tilt, "10"}, {Field::wrap, "5"}});
  const JobSheet at0 =
      Sheet({{Field::tilt, "10"}, {Field::wrap, "5"}, {Field::odaxis, "0"}, {Field::osaxis, "0"}});
  const Angles a = SetUpAngles(at180, TiltAndWrapRadians(at180));
  const Angles b = SetUpAngles(at0, TiltAndWrapRadians(at0));
  EXPECT_DOUBLE_EQ(a.od.off, b.od.off);
  EXPECT_DOUBLE_EQ(a.os.off, b.os.off);
}

TEST(SetUpAngles, DefaultsAndNoTilt) {
  const JobSheet defaults;
  const Angles d = SetUpAngles(defaults, TiltAndWrapRadians(defaults));
  EXPECT_TRUE(MatchesPrinted(d.od.inref, "45.9929728"));
  EXPECT_TRUE(MatchesPrinted(d.od.outref, "44.0070272"));
  EXPECT_TRUE(MatchesPrinted(d.os.inref, "44.0070272"));
  EXPECT_TRUE(MatchesPrinted(d.os.outref, "45.9929728"));

  const JobSheet noTilt = Sheet({{Field::tilt, "0"}, {Field::odaxis, "30"}, {Field::osaxis, "30"}});
  const Angles n = SetUpAngles(noTilt, TiltAndWrapRadians(noTilt));
  EXPECT_EQ(n.od.inref, 0);
  EXPECT_EQ(n.od.outref, 0);
  EXPECT_EQ(n.os.inref, 90);
  EXPECT_EQ(n.os.outref, 90);
  EXPECT_EQ(n.od.off, 30);
  EXPECT_EQ(n.os.off, 120);  // 30 - 90, raised by 180
}

TEST(SetUpAngles, OffsetIsRaisedOnceAndOnlyWhenNegative) {
  // A negative wrap turns the right reference meridian negative (-63.7) and the left one
  // past 90 (153.7).
  const JobSheet sheet = Sheet(
      {{Field::tilt, "10"}, {Field::wrap, "-5"}, {Field::odaxis, "180"}, {Field::osaxis, "0"}});
  const Angles a = SetUpAngles(sheet, TiltAndWrapRadians(sheet));
  EXPECT_TRUE(MatchesPrinted(a.od.off, "243.6975137"));  // 180 or more is not reduced
  EXPECT_TRUE(MatchesPrinted(a.os.off, "26.30248635"));  // -153.7, raised by 180
}

TEST(SetUpAngles, NegativeTiltAndWrapAreUsedAsEntered) {
  const JobSheet sheet = Sheet({{Field::tilt, "-10"}, {Field::wrap, "5"}});
  const Angles a = SetUpAngles(sheet, TiltAndWrapRadians(sheet));
  EXPECT_TRUE(MatchesPrinted(a.od.inref, "-63.69751365"));
  EXPECT_TRUE(MatchesPrinted(a.od.outref, "-63.25979464"));
}

TEST(ComputeTiltFactors, WorkedExamples) {
  struct Case {
    const char *tilt, *wrap, *efftilt, *tfac, *sfac, *mfac;
  };
  for (const Case& c :
       {Case{"10", "5", "0.1949350006", "1.051273315", "1.01182874", "1.031551027"},
        Case{"15", "15", "0.3681000827", "1.195642488", "1.040821973", "1.118232231"}}) {
    const JobSheet sheet = Sheet({{Field::tilt, c.tilt}, {Field::wrap, c.wrap}});
    const TiltFactors f = ComputeTiltFactors(sheet, TiltAndWrapRadians(sheet), {});
    EXPECT_TRUE(MatchesPrinted(f.efftilt, c.efftilt));
    for (const PowerFactors& eye : {f.od, f.os}) {
      EXPECT_TRUE(MatchesPrinted(eye.tfac, c.tfac));
      EXPECT_TRUE(MatchesPrinted(eye.sfac, c.sfac));
      EXPECT_TRUE(MatchesPrinted(eye.mfac, c.mfac));
    }
  }
}

TEST(ComputeTiltFactors, CombinedAngleIsTheOtherAngleWhenOneIsZero) {
  const JobSheet noTilt = Sheet({{Field::tilt, "0"}, {Field::wrap, "10"}});
  EXPECT_NEAR(ComputeTiltFactors(noTilt, TiltAndWrapRadians(noTilt), {}).efftilt * kDegree, 10,
              1e-12);
  const JobSheet nearNoWrap = Sheet({{Field::tilt, "10"}, {Field::wrap, "0.0001"}});
  EXPECT_NEAR(ComputeTiltFactors(nearNoWrap, TiltAndWrapRadians(nearNoWrap), {}).efftilt * kDegree,
              10, 1e-6);
  const JobSheet flat = Sheet({{Field::tilt, "0"}, {Field::wrap, "0"}});
  const TiltFactors f = ComputeTiltFactors(flat, TiltAndWrapRadians(flat), {});
  EXPECT_EQ(f.efftilt, 0);
  EXPECT_EQ(f.od.tfac, 1);
  EXPECT_EQ(f.od.sfac, 1);
  EXPECT_EQ(f.od.mfac, 1);
}

TEST(ComputeTiltFactors, EachEyeUsesItsOwnIndex) {
  const JobSheet sheet = Sheet({{Field::odn, "1.586"}, {Field::osn, "1.74"}});
  const JobSheet swapped = Sheet({{Field::odn, "1.74"}, {Field::osn, "1.586 "}});
  const JobSheet same = Sheet();
  const TiltFactors f = ComputeTiltFactors(sheet, TiltAndWrapRadians(sheet), {});
  const TiltFactors g = ComputeTiltFactors(swapped, TiltAndWrapRadians(swapped), {});
  const TiltFactors h = ComputeTiltFactors(same, TiltAndWrapRadians(same), {});
  EXPECT_EQ(f.od.tfac, h.od.tfac);
  EXPECT_EQ(f.os.tfac, g.od.tfac);
  EXPECT_EQ(f.od.sfac, g.os.sfac);
  EXPECT_LT(f.os.tfac, f.od.tfac);  // a denser material bends less extra power in
}

}  // namespace
}  // namespace asworn
