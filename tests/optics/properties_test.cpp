// SPDX-License-Identifier: Apache-2.0
// Properties of the as-worn model over generated realistic lenses (fixed seed), and the
// lenses it refuses to trace.

#include <gtest/gtest.h>

#include <Eigen/LU>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "as_worn_check.h"
#include "as_worn_power.h"
#include "number_text.h"
#include "prism.h"
#include "wear_rotation.h"

namespace asworn::optics {
namespace {

struct Job {
  EyeInput eye;
  double tilt, wrap;
};

// The centre thickness the ticket's Compute gives a 70 mm blank of this prescription.
double TicketThickness(const EyeInput& e) {
  JobSheet sheet;
  sheet[Field::odsph] = ExactText(e.prescription.sphere);
  sheet[Field::odcyl] = ExactText(e.prescription.cylinder);
  sheet[Field::odn] = ExactText(e.index);
  sheet[Field::oddiam] = "70";
  return ComputePrism(sheet).od.thick;
}

// Spheres −10 to +8, cylinders to −4, indices 1.50 to 1.74, base curves by Vogel's rule,
// 70 mm blanks, tilt 0–20°, wrap 0–25°, fitted 10–14 mm from a 13 mm refraction.
std::vector<Job> GeneratedJobs(int count) {
  std::mt19937 random(20261207);
  const auto quarter = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random) * 0.25;
  };
  const auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  constexpr double kIndices[] = {1.5, 1.53, 1.586, 1.6, 1.67, 1.74};
  std::vector<Job> jobs;
  for (int i = 0; i < count; ++i) {
    Job j;
    EyeInput& e = j.eye;
    e.prescription = {quarter(-40, 32), quarter(-16, 0), std::floor(uniform(1, 181))};
    e.index = kIndices[std::uniform_int_distribution<int>(0, 5)(random)];
    const double equivalent = e.prescription.sphere + e.prescription.cylinder / 2;
    e.baseCurve = std::max(0.5, equivalent < 0 ? equivalent / 2 + 6 : equivalent + 6);
    e.diameterMm = 70;
    e.refractedVertexMm = 13;
    e.fittedVertexMm = uniform(10, 14);
    e.thicknessMm = TicketThickness(e);
    e.ordered = e.prescription;
    j.tilt = uniform(0, 20);
    j.wrap = uniform(0, 25);
    jobs.push_back(j);
  }
  return jobs;
}

const std::vector<Job> kJobs = GeneratedJobs(300);

TEST(AsWornProperties, UntiltedUnwrappedLensAtItsRefractedDistanceIsTheOrder) {
  for (Job j : kJobs) {
    j.eye.fittedVertexMm = j.eye.refractedVertexMm;
    for (const Eye eye : {Eye::right, Eye::left}) {
      const EyeCheck c = CheckEye(j.eye, 0, 0, eye);
      EXPECT_LT(MatrixDistance(c.wornMatrix, ToPowerMatrix(j.eye.ordered)), 1e-9);
      EXPECT_LT(MatrixDistance(c.requiredMatrix, ToPowerMatrix(j.eye.prescription)), 1e-12);
      EXPECT_EQ(c.prism.baseIn, 0);
      EXPECT_EQ(c.prism.baseUp, 0);
    }
  }
}

TEST(AsWornProperties, LeftEyeIsTheMirrorImageOfTheRight) {
  const Eigen::Matrix2d mirror = Eigen::Vector2d(-1, 1).asDiagonal();
  for (const Job& j : kJobs) {
    EyeInput left = j.eye;
    left.prescription.axis = 180 - j.eye.prescription.axis;
    left.ordered.axis = 180 - j.eye.ordered.axis;
    const EyeCheck r = CheckEye(j.eye, j.tilt, j.wrap, Eye::right);
    const EyeCheck l = CheckEye(left, j.tilt, j.wrap, Eye::left);
    EXPECT_LT(MatrixDistance(l.wornMatrix, mirror * r.wornMatrix * mirror), 1e-9);
    EXPECT_LT(MatrixDistance(l.exactOrderMatrix, mirror * r.exactOrderMatrix * mirror), 1e-9);
    EXPECT_NEAR(l.prism.baseIn, r.prism.baseIn, 1e-12);
    EXPECT_NEAR(l.prism.baseUp, r.prism.baseUp, 1e-12);
    EXPECT_EQ(l.verdict.Within(), r.verdict.Within());
  }
}

TEST(AsWornProperties, ExactOrderWornGivesTheRequiredPowerAndPassesAnsi) {
  for (const Eye eye : {Eye::right, Eye::left}) {
    for (Job j : kJobs) {
      const EyeCheck first = CheckEye(j.eye, j.tilt, j.wrap, eye);
      j.eye.ordered = first.exactOrder;
      const EyeCheck again = CheckEye(j.eye, j.tilt, j.wrap, eye);
      EXPECT_LT(MatrixDistance(again.wornMatrix, first.requiredMatrix), 1e-9);
      EXPECT_TRUE(again.verdict.Within());
      // Rounded as the ticket rounds, the exact order is still within, in either reading.
      for (const WearConvention convention : {WearConvention::frame, WearConvention::head})
        EXPECT_TRUE(
            CheckEye(j.eye, j.tilt, j.wrap, eye, convention, OrderChoice::exact).verdict.Within());
    }
  }
}

// With no thickness the lens is thin: as worn it is f_s·R₂⁻ᵀ·F·R₂⁻¹, and for small angles
// f_s is Martin's 1 + sin²θ/2n up to the next term, sin⁴θ·(n² + n + 1)/8n³.
TEST(AsWornProperties, ThinLensAtSmallAnglesApproachesMartin) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(0, 4);
  for (Job j : kJobs) {
    j.eye.thicknessMm = 0;
    const double tilt = angle(random), wrap = angle(random);
    for (const Eye eye : {Eye::right, Eye::left}) {
      const EyeCheck c = CheckEye(j.eye, tilt, wrap, eye);
      const Eigen::Matrix3d r = WearRotation(tilt, wrap, eye);
      const Eigen::Matrix2d r2Inverse = r.topLeftCorner<2, 2>().inverse();
      const PowerMatrix thin = r2Inverse.transpose() * ToPowerMatrix(j.eye.ordered) * r2Inverse;
      const double n = j.eye.index;
      const double sin2 = 1 - r(2, 2) * r(2, 2);
      const double exact = (std::sqrt(n * n - sin2) - r(2, 2)) / (n - 1);
      const double martin = 1 + sin2 / (2 * n);
      const double fourth = sin2 * sin2 * (n * n + n + 1) / (8 * n * n * n);
      EXPECT_LT(MatrixDistance(c.wornMatrix, exact * thin), 1e-9);
      const double norm = MatrixDistance(thin, PowerMatrix::Zero());
      EXPECT_LE(MatrixDistance(c.wornMatrix, martin * thin), 1.05 * fourth * norm + 1e-12);
      EXPECT_GE(MatrixDistance(c.wornMatrix, martin * thin), 0.95 * fourth * norm - 1e-9);
    }
  }
}

TEST(AsWornProperties, LensesThatCannotBeTracedAreReportedNotGuessed) {
  struct Row {
    std::string name;
    double index, baseCurve, thicknessMm, tilt, wrap;
    std::string fault;
  };
  const std::vector<Row> rows{
      {"index 1", 1, 6, 1.5, 10, 10, "the index must be above 1"},
      {"index below 1", 0.5, 6, 1.5, 10, 10, "the index must be above 1"},
      {"front steeper than the lens is thick", 1.5, 100, 20, 40, 40,
       "the line of sight misses the front surface"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AsWornInput input;
    input.od.index = input.os.index = row.index;
    input.od.baseCurve = input.os.baseCurve = row.baseCurve;
    input.od.thicknessMm = input.os.thicknessMm = row.thicknessMm;
    input.tiltDegrees = row.tilt;
    input.wrapDegrees = row.wrap;
    const AsWornResult result = AsWornCheck(input);
    EXPECT_FALSE(result.od.check);
    EXPECT_FALSE(result.os.check);
    EXPECT_EQ(FaultText(result.od.fault), row.fault);
    EXPECT_EQ(FaultText(result.os.fault), row.fault);
  }
}

}  // namespace
}  // namespace asworn::optics
