// SPDX-License-Identifier: Apache-2.0
// The published reference rows of the as-worn model: matrices to 1e-9 D, axes to 1e-6°.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "as_worn_check.h"
#include "as_worn_power.h"
#include "as_worn_wording.h"

namespace asworn::optics {
namespace {

struct Lens {
  SphCylAxis order;
  double index, baseCurve, thicknessMm, tilt, wrap;
  Eye eye;
  WearConvention convention;
};

struct WornRow {
  std::string name;
  Lens lens;
  double fxx, fxy, fyy;
  SphCylAxis worn;
  double baseIn, baseUp;
};

constexpr auto R = Eye::right;
constexpr auto L = Eye::left;
constexpr auto Frame = WearConvention::frame;
constexpr auto Head = WearConvention::head;

const Lens kMinusToric{{-4, -1, 30}, 1.6, 4, 1.5, 15, 15, R, Frame};
const Lens kMinusToricLeft{{-4, -1, 150}, 1.6, 4, 1.5, 15, 15, L, Frame};
const Lens kMinusToricHead{{-4, -1, 30}, 1.6, 4, 1.5, 15, 15, R, Head};
const Lens kThickPlus{{6, -2, 70}, 1.5, 12, 9, 20, 25, R, Frame};
const Lens kHighMinus{{-8, -3, 20}, 1.74, 1, 1.5, 10, 5, L, Frame};
const Lens kPlanoFront{{2, -0.5, 95}, 1.5, 0, 3, 12, 0, R, Frame};
const Lens kWrapOnly{{-6, 0, 0}, 1.586, 3, 1.5, 0, 20, R, Frame};

const std::vector<WornRow> kWornRows{
    {"minus toric",
     kMinusToric,
     -4.7172016834,
     0.1129835768,
     -5.3177357041,
     {-4.69664855, -0.64164029, 10.310083},
     -0.12589143,
     -0.12160179},
    {"left mirror",
     kMinusToricLeft,
     -4.7172016834,
     -0.1129835768,
     -5.3177357041,
     {-4.69664855, -0.64164029, 169.689917},
     -0.12589143,
     -0.12160179},
    {"head convention",
     kMinusToricHead,
     -4.7586173197,
     0.1517586347,
     -5.2736310038,
     {-4.71722542, -0.59779748, 15.256236},
     -0.12160179,
     -0.12589143},
    {"thick plus toric",
     kThickPlus,
     5.1535992910,
     1.5559998028,
     6.4993345274,
     {7.52172094, -3.39050806, 56.692655},
     -3.72600343,
     -2.73289148},
    {"high minus high index",
     kHighMinus,
     -8.5400661015,
     1.1622636310,
     -11.1008336913,
     {-8.09121902, -3.45846174, 21.115740},
     -0.01087684,
     -0.02158845},
    {"plano front tilt only",
     kPlanoFront,
     1.5259743573,
     -0.0450363888,
     2.1171586339,
     {2.12056982, -0.59800665, 94.331478},
     0,
     0},
    {"sphere wrap only",
     kWrapOnly,
     -7.0658997003,
     0,
     -6.2370522216,
     {-6.23705222, -0.82884748, 90.000000},
     -0.12138636,
     0},
};

EyeCheck Check(const Lens& lens, const SphCylAxis& rx, double refracted, double fitted) {
  EyeInput in;
  in.prescription = rx;
  in.index = lens.index;
  in.baseCurve = lens.baseCurve;
  in.refractedVertexMm = refracted;
  in.fittedVertexMm = fitted;
  in.ordered = lens.order;
  in.thicknessMm = lens.thicknessMm;
  return CheckEye(in, lens.tilt, lens.wrap, lens.eye, lens.convention);
}

// The table gives 10 decimals in the matrices and 8 in sphere, cylinder and prism.
TEST(AsWornReference, PowerAsWornAndPrism) {
  for (const WornRow& row : kWornRows) {
    SCOPED_TRACE(row.name);
    const EyeCheck c = Check(row.lens, row.lens.order, 12, 12);
    EXPECT_NEAR(c.wornMatrix(0, 0), row.fxx, 1e-9);
    EXPECT_NEAR(c.wornMatrix(0, 1), row.fxy, 1e-9);
    EXPECT_NEAR(c.wornMatrix(1, 0), row.fxy, 1e-9);
    EXPECT_NEAR(c.wornMatrix(1, 1), row.fyy, 1e-9);
    EXPECT_NEAR(c.worn.sphere, row.worn.sphere, 1e-8);
    EXPECT_NEAR(c.worn.cylinder, row.worn.cylinder, 1e-8);
    EXPECT_NEAR(c.worn.axis, row.worn.axis, 1e-6);
    EXPECT_NEAR(c.prism.baseIn, row.baseIn, 1e-8);
    EXPECT_NEAR(c.prism.baseUp, row.baseUp, 1e-8);
  }
}

struct OrderRow {
  std::string name;
  Lens lens;
  SphCylAxis rx;
  SphCylAxis exact;
};

const std::vector<OrderRow> kOrderRows{
    {"minus toric", kMinusToric, {-4, -1, 30}, {-3.30706766, -1.38740452, 37.422262}},
    {"left mirror", kMinusToricLeft, {-4, -1, 150}, {-3.30706766, -1.38740452, 142.577738}},
    {"head convention", kMinusToricHead, {-4, -1, 30}, {-3.31213989, -1.37516649, 34.209992}},
    {"thick plus toric", kThickPlus, {6, -2, 70}, {5.26414134, -1.47211689, 88.711198}},
    {"high minus high index", kHighMinus, {-8, -3, 20}, {-7.72296267, -2.42074256, 18.618168}},
    {"plano front tilt only", kPlanoFront, {2, -0.5, 95}, {1.89787087, -0.41357560, 95.900268}},
    {"sphere wrap only", kWrapOnly, {-6, 0, 0}, {-5.00417520, -0.66563625, 0.000000}},
};

// The exact order, and that it gives the required power as worn to the last bits.
TEST(AsWornReference, ExactOrderFromThirteenToTenMillimetres) {
  for (const OrderRow& row : kOrderRows) {
    SCOPED_TRACE(row.name);
    const EyeCheck c = Check(row.lens, row.rx, 13, 10);
    EXPECT_NEAR(c.exactOrder.sphere, row.exact.sphere, 1e-8);
    EXPECT_NEAR(c.exactOrder.cylinder, row.exact.cylinder, 1e-8);
    EXPECT_NEAR(AxisDifference(c.exactOrder.axis, row.exact.axis), 0, 1e-6);
    Lens exact = row.lens;
    exact.order = c.exactOrder;
    const EyeCheck again = Check(exact, row.rx, 13, 10);
    EXPECT_LT(MatrixDistance(again.wornMatrix, again.requiredMatrix), 1e-9);
    EXPECT_TRUE(again.verdict.Within());
  }
}

}  // namespace
}  // namespace asworn::optics

namespace asworn::optics {
namespace {

// Tolerance bands and their edges: a value exactly at its tolerance is within it.
TEST(AnsiVerdictTable, BandsAndEdges) {
  struct Row {
    SphCylAxis required, worn;
    bool sphere, cylinder, axis;
    std::optional<double> axisTolerance;
  };
  const std::vector<Row> rows{
      {{-4, -1, 30}, {-4.13, -1, 30}, true, true, true, 3},
      {{-4, -1, 30}, {-4.14, -1, 30}, false, true, true, 3},
      {{7, 0, 0}, {7.14, 0, 0}, true, true, true, std::nullopt},   // 2 % of 7
      {{7, 0, 0}, {7.15, 0, 0}, false, true, true, std::nullopt},  //
      {{-6.5, 0, 0}, {-6.63, 0, 0}, true, true, true, std::nullopt},
      {{1, -1, 90}, {1, -1.14, 90}, true, false, true, 3},
      {{1, -3, 90}, {1, -3.15, 90}, true, true, true, 2},
      {{1, -5, 90}, {1, -5.2, 90}, true, true, true, 2},  // 4 % of 5
      {{1, -5, 90}, {1, -5.21, 90}, true, false, true, 2},
      {{1, -0.1, 10}, {1, -0.1, 100}, true, true, true, std::nullopt},
      {{1, -0.12, 10}, {1, -0.12, 24}, true, true, true, 14},
      {{1, -0.12, 10}, {1, -0.12, 24.1}, true, true, false, 14},
      {{1, -0.5, 10}, {1, -0.5, 17}, true, true, true, 7},
      {{1, -0.51, 10}, {1, -0.51, 17}, true, true, false, 5},
      {{1, -0.75, 10}, {1, -0.75, 15}, true, true, true, 5},
      {{1, -1.5, 10}, {1, -1.5, 13.1}, true, true, false, 3},
      {{1, -2, 10}, {1, -2, 12}, true, true, true, 2},
      {{1, -2, 1}, {1, -2, 179}, true, true, true, 2},  // across 0/180
      {{1, -2, 10}, {1, -2, 12.1}, true, true, false, 2},
      {{-2, 1, 90}, {-1, -1, 0}, true, true, true, 3},  // plus-cylinder prescription
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(ordering::RxText(row.required) + " worn " + ordering::RxText(row.worn));
    const AnsiResult v = AnsiVerdict(ToPowerMatrix(row.worn), ToPowerMatrix(row.required));
    EXPECT_EQ(v.SphereWithin(), row.sphere);
    EXPECT_EQ(v.CylinderWithin(), row.cylinder);
    EXPECT_EQ(v.AxisWithin(), row.axis);
    EXPECT_EQ(v.axisTolerance, row.axisTolerance);
    EXPECT_EQ(v.axisError.has_value(), row.axisTolerance.has_value());
    EXPECT_EQ(v.Within(), row.sphere && row.cylinder && row.axis);
  }
}

}  // namespace
}  // namespace asworn::optics
