// SPDX-License-Identifier: Apache-2.0
// The gaze model against its published reference values: point-focal cross-checks of a thick
// +4 D lens, pairs of lenses at the reading point and at the fitting points, and first-order
// checks (a plate, a thin decentred lens, Martellaro's near inset). Every value to the digits
// the reference prints (8 significant) and the model's own 1e-9.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "gaze_check.h"
#include "gaze_wavefront.h"
#include "lens_units.h"
#include "line_of_sight.h"
#include "placed_lens.h"
#include "wear_rotation.h"

namespace asworn::optics {
namespace {

// Half a unit in the eighth significant digit of the reference, plus the model's accuracy.
double Tolerance(double expected) {
  if (expected == 0) return 1e-9;
  return 0.5 * std::pow(10.0, std::floor(std::log10(std::abs(expected))) - 7) + 1e-9;
}

void ExpectValue(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, Tolerance(expected)) << what;
}

void ExpectRx(const SphCylAxis& actual, const SphCylAxis& expected, const char* what) {
  ExpectValue(actual.sphere, expected.sphere, what);
  ExpectValue(actual.cylinder, expected.cylinder, what);
  // An axis means nothing without a cylinder.
  if (std::abs(expected.cylinder) > 1e-6) {
    EXPECT_NEAR(AxisDifference(actual.axis, expected.axis), 0, Tolerance(expected.axis)) << what;
  }
}

// Published point-focal statements on a +4.00 D lens, n 1.498, 4 mm thick, the CRE 27 mm behind the
// back vertex, no tilt or wrap, the eye turned down; T and S on the vertex sphere. The mean error
// is against the lens's own paraxial image vergence for the same object.
struct PointFocalRow {
  double frontPower;
  bool near;  // the plane 1/3 m in front of the front vertex; else infinity
  double gazeDegrees;
  double tangential, sagittal, astigmatism, meanError;
};

const std::vector<PointFocalRow> kPointFocalRows{
    {9.62, false, 30, 3.7982748, 3.7933743, 0.0049, -0.2042},
    {9.62, true, 40, 0.69977885, 1.0494883, -0.3497, 0.0091},
    {7.50, true, 40, 1.1683029, 1.2117972, -0.0435, 0.2886},
    {7.50, false, 40, 4.1687694, 3.7942347, 0.3745, -0.0185},
};

TEST(GazeReference, PointFocalCrossChecks) {
  for (const PointFocalRow& row : kPointFocalRows) {
    SCOPED_TRACE(std::to_string(row.frontPower) + (row.near ? " near " : " far ") +
                 std::to_string(row.gazeDegrees));
    const ThickLens lens{1.498, row.frontPower, 0.004};
    const PowerMatrix order = 4 * PowerMatrix::Identity();
    const PlacedLens placed(lens, order, Eigen::Matrix3d::Identity(), Eigen::Vector2d::Zero(),
                            0.027);
    const double g = row.gazeDegrees * kRadiansPerDegree;
    const Eigen::Vector3d d0(0, -std::sin(g), std::cos(g));
    const RayThroughLens ray = TraceFromEye(placed, d0);
    const double planeZ = lens.thickness + 1.0 / 3;
    const double distance = row.near ? (planeZ - ray.front.z()) / ray.outward.z()
                                     : std::numeric_limits<double>::infinity();
    const PowerMatrix v = VergenceOnVertexSphere(placed, ray, d0, distance);
    const double t = v(1, 1), s = v(0, 0);
    ExpectValue(t, row.tangential, "T");
    ExpectValue(s, row.sagittal, "S");
    EXPECT_NEAR(t - s, row.astigmatism, 5e-5);
    const double backSurface = 4 - lens.AxialVergenceAtBack();
    const double entering = -3 + lens.frontPower;
    const double axial =
        row.near ? entering / (1 - lens.thickness * entering / lens.index) + backSurface : 4;
    EXPECT_NEAR((t + s) / 2 - axial, row.meanError, 5e-5);
  }
}

// Pairs of lenses: prescriptions at 13 mm fitted at 12, 70 mm blanks, frame convention; each lens
// is the unrounded exact order.
struct Job {
  std::string name;
  SphCylAxis rx[2];
  double index;
  double baseCurve[2];
  double tilt, wrap;
  double pdMm[2];
  double nearMm, gazeDegrees;
  double decentrationMm[2][2];
};

struct EyeValues {
  SphCylAxis order;
  double thicknessMm;
  double backInset, backDrop, frontInset, frontDrop;
  double baseIn, baseUp;
  SphCylAxis power, error;
  double prenticeIn, prenticeUp;
  double firstInset, firstDrop, firstIn, firstUp;
  double fittingIn, fittingUp, focimeterIn, focimeterUp;
};

struct PairValues {
  double imbalance, horizontalTotal, verticalVergence;
  double prenticeBack, prenticeFront, firstOrder, ruleOfTen;
  double fittingImbalance, fittingHorizontal, prenticeFittingImbalance, prenticeFittingHorizontal;
};

struct PairRow {
  Job job;
  EyeValues eyes[2];
  PairValues pair;
};

// clang-format off
const std::vector<PairRow> kPairRows{
    {{"A1 aniso 3 D plus", {{1.00, 0.00, 0}, {4.00, 0.00, 0}}, 1.5, {7, 10}, 8, 5, {32, 32}, 400,
     30, {{0, 0}, {0, 0}}},
     {{{0.99515112, -0.021833089, 148.19507}, 2.725, 2.0147855, 13.884749, 2.3025507, 14.679214,
      -0.45070901, 1.8907239, {0.88688029, -0.066377519, 4.0659912}, {-0.11412071, -0.066377519,
      4.0659912}, -0.21285755, 1.3618181, 2.2676561, 15.072815, -0.23903044, 1.4784224,
      -0.10748425, -0.1709812, 0, 0},
      {{3.9951766, -0.083810774, 31.804927}, 6.4, 2.355594, 15.350383, 2.9967221, 17.214151,
       -1.7478234, 7.7113542, {3.567418, -0.2114212, 172.4821}, {-0.44864621, -0.2114212,
       172.4821}, -0.99324056, 6.0486733, 2.4449128, 16.238997, -1.0320528, 6.3986467, -0.35979902,
       -0.57235238, 0, 0}},
     {-5.8206303, -2.1985324, 5.4409022, -4.6868552, -5.3444986, -4.9202243, -2.9552627,
      0.40137118, -0.46728327, 0, 0}},
    {{"A2 same, tilt 0 wrap 0", {{1.00, 0.00, 0}, {4.00, 0.00, 0}}, 1.5, {7, 10}, 0, 0, {32, 32},
     400, 30, {{0, 0}, {0, 0}}},
     {{{1.001001, 0, 0}, 2.725, 2.213217, 14.714435, 2.3662521, 15.731879, -0.29421269, 2.2953897,
      {0.86710269, -0.074668549, 8.5538103}, {-0.13389831, -0.074668549, 8.5538103}, -0.22154324,
      1.4729164, 2.268313, 15.080737, -0.22705836, 1.5095833, 0, 0, 0, 0},
      {{4.0160643, 0, 0}, 6.4, 2.5066271, 16.665153, 2.847066, 18.92854, -1.1339908, 9.233738,
       {3.4587018, -0.2827194, 171.44619}, {-0.55736244, -0.2827194, 171.44619}, -1.0066775,
       6.6928327, 2.4477459, 16.273686, -0.98303048, 6.5356167, 0, 0, 0, 0}},
     {-6.9383483, -1.4282034, 6.460639, -5.2199163, -6.0270608, -5.0260334, -3.0150633, 0, 0, 0,
      0}},
    {{"A3 same, tilt 12 wrap 20", {{1.00, 0.00, 0}, {4.00, 0.00, 0}}, 1.5, {7, 10}, 12, 20, {32,
     32}, 400, 30, {{0, 0}, {0, 0}}},
     {{{0.96773095, -0.11832075, 121.85987}, 2.725, 1.9602037, 13.743592, 2.6774502, 14.45083,
      -1.0089084, 1.7617876, {0.85908604, -0.061375229, 168.44146}, {-0.14191496, -0.061375229,
      168.44146}, -0.24586735, 1.2951002, 2.2617897, 15.05649, -0.27944294, 1.4194251, -0.48551297,
      -0.27734087, 0, 0},
      {{3.898049, -0.45339912, 58.140131}, 6.4, 2.6656758, 15.144565, 4.2412206, 16.837818,
       -3.8656605, 7.2265236, {3.4230416, -0.12121001, 177.12721}, {-0.59302264, -0.12121001,
       177.12721}, -1.2597463, 5.7662957, 2.4194923, 16.170026, -1.1926791, 6.148067, -1.605286,
       -0.9169918, 0, 0}},
     {-5.464736, -4.874569, 5.0925592, -4.4711955, -5.0719545, -4.7286419, -2.8369589, 0.63965092,
      -2.0907989, 0, 0}},
    {{"A4 aniso 3 D minus", {{-2.00, 0.00, 0}, {-5.00, -0.50, 180}}, 1.6, {5, 3.5}, 10, 0, {32,
     32}, 400, 30, {{0, 0}, {0, 0}}},
     {{{-1.9148478, -0.061164819, 90}, 1.5, 1.840061, 12.615407, 1.9358489, 13.078742, 0.31226425,
      -2.2934619, {-1.8807709, -0.10123802, 92.302834}, {0.11523707, -0.10123802, 92.302834},
      0.36359837, -2.4156583, 2.1152133, 14.082392, 0.41796881, -2.6965637, 0, -0.094984788, 0, 0},
      {{-4.9274421, -0.32596826, 0}, 1.5, 1.7032323, 11.634365, 1.8141777, 12.161899, 0.80237835,
       -6.1917234, {-4.9049307, -0.20384921, 4.4699292}, {0.36322627, -0.29512326, 86.919082},
       0.83925788, -6.1120094, 1.9825511, 13.090193, 0.97689057, -6.8768157, 0, -0.066498054, 0,
       0}},
     {3.8982615, 1.1146426, -3.6590136, 3.6963511, 3.8847649, 4.180252, 3.3385626, -0.028486734, 0,
      0, 0}},
    {{"A5 antimetropia 4 D", {{3.00, 0.00, 0}, {-1.00, 0.00, 0}}, 1.5, {9, 5.5}, 10, 5, {32, 32},
     400, 30, {{0, 0}, {0, 0}}},
     {{{2.9851078, -0.090432716, 153.69751}, 5.175, 2.1810416, 14.578969, 2.7110964, 15.982874,
      -1.253937, 5.3525866, {2.707, -0.18226599, 3.7712612}, {-0.3020271, -0.18226599, 3.7712612},
      -0.69956364, 4.2538592, 2.3822012, 15.815737, -0.7636976, 4.6147821, -0.26485639,
      -0.52568901, 0, 0},
      {{-0.94562365, -0.03928519, 116.30249}, 1.5, 1.8164024, 12.967347, 2.0036931, 13.430003,
       0.13678549, -1.0870718, {-0.95007596, -0.0693167, 106.25963}, {0.048925036, -0.0693167,
       106.25963}, 0.19773406, -1.2390599, 2.1642226, 14.396667, 0.2339534, -1.3758651,
       -0.047048009, -0.093381254, 0, 0}},
     {6.4396584, -1.1171516, -6.0619993, 5.4929192, 5.9481001, 5.9906472, 3.8657684, -0.43230776,
      -0.3119044, 0, 0}},
    {{"H1 high minus", {{-8.00, -1.50, 10}, {-7.50, -1.25, 170}}, 1.67, {1.5, 2}, 10, 5, {32, 32},
     400, 30, {{0, 0}, {0, 0}}},
     {{{-7.7237295, -1.3734042, 16.929634}, 1.5, 1.3999508, 10.742956, 1.6264925, 11.263723,
      1.7919819, -10.12732, {-7.8122306, -1.1881392, 21.534147}, {0.56802831, -0.60154968,
      74.646773}, 1.5086127, -9.7014616, 1.8669916, 12.135608, 1.9280643, -10.970026, -0.015405615,
      -0.030577184, 0, 0},
      {{-7.2426186, -1.144441, 162.3041}, 1.5, 1.4299131, 10.907011, 1.6537055, 11.428249,
       1.6568677, -9.4247094, {-7.3097311, -0.95845943, 156.98074}, {0.54990832, -0.55946796,
       104.38351}, 1.4122205, -9.0798328, 1.8855496, 12.303962, 1.7933348, -10.251792,
       -0.020539725, -0.040767405, 0, 0}},
     {-0.70261105, 3.4488496, 0.6532761, -0.62162885, -0.65890957, -0.71823397, -0.6993556,
      0.010190221, -0.03594534, 0, 0}},
    {{"H2 high plus thick, 330 mm", {{6.00, 0.00, 0}, {5.50, -0.50, 90}}, 1.5, {12, 11}, 10, 5,
     {32, 32}, 330, 35, {{0, 0}, {0, 0}}},
     {{{6.0031083, -0.15957933, 153.69751}, 8.85, 3.1015931, 19.077963, 3.9437556, 21.700807,
      -3.1683163, 14.205656, {5.1644404, -0.28873666, 19.09112}, {-0.87177695, -0.28873666,
      19.09112}, -1.9731375, 11.227701, 3.2542843, 20.682384, -2.0744917, 12.171244, -0.60146834,
      -1.193799, 0, 0},
      {{5.3790555, -0.41955463, 81.477427}, 8.2375, 3.0102538, 18.838314, 3.8062381, 21.282647,
       -2.6710466, 12.752734, {4.4459851, -0.2524701, 103.04896}, {-0.80807793, -0.29988688,
       169.13138}, -1.6115482, 10.134385, 3.1684069, 20.404659, -1.6997616, 10.97646, -0.5137149,
       -1.0196253, 0, 0}},
     {1.4529217, -5.839363, -1.2918831, 1.0933154, 1.3220766, 1.1947835, 0.50502098, -0.1741737,
      -1.1151832, 0, 0}},
    {{"T1 toric oblique, mirrored", {{-1.00, -2.50, 45}, {-1.00, -2.50, 135}}, 1.6, {5, 5}, 12, 15,
     {32, 32}, 400, 30, {{0, 0}, {0, 0}}},
     {{{-0.85300041, -2.5057164, 45.899166}, 1.5, 1.2117542, 12.525039, 1.5917301, 12.971828,
      1.9685147, -2.624275, {-0.81307521, -2.655874, 51.10489}, {0.38828311, -0.57179692,
      84.607047}, 1.8283794, -2.7400926, 2.1071319, 14.034059, 2.2094193, -3.1640607, -0.15352616,
      -0.11912663, 0, 0},
      {{-0.85300041, -2.5057164, 134.10083}, 1.5, 1.2117542, 12.525039, 1.5917301, 12.971828,
       1.9685147, -2.624275, {-0.81307521, -2.655874, 128.89511}, {0.38828311, -0.57179692,
       95.392953}, 1.8283794, -2.7400926, 2.1071319, 14.034059, 2.2094193, -3.1640607, -0.15352616,
       -0.11912663, 0, 0}},
     {0, 3.9370294, 0, 0, 0, 0, 0, 0, -0.30705232, 0, 0}},
    {{"T2 toric oblique, aniso", {{0.50, -2.00, 30}, {2.50, -1.00, 120}}, 1.5, {6, 8}, 10, 10, {32,
     32}, 400, 30, {{0, 0}, {0, 0}}},
     {{{0.46980784, -1.9288162, 31.123765}, 1.5, 1.4975415, 12.951152, 1.7810897, 13.432016,
      1.0789397, -1.1663168, {0.52718323, -1.9852846, 33.817415}, {0.16604235, -0.26549956,
      78.278579}, 1.1121588, -1.3499843, 2.2120298, 14.399894, 1.239057, -1.5476786, -0.10469581,
      -0.10310525, 0, 0},
      {{2.3584401, -0.87575941, 117.56183}, 4.5625, 1.947914, 14.314348, 2.6517125, 15.568657,
       -0.54265541, 3.9616761, {2.1623025, -0.93915419, 119.60556}, {-0.27842323, -0.066221791,
       35.629978}, 0.18887989, 3.0375886, 2.3058282, 15.522266, 0.17249405, 3.2869632, -0.42320321,
       -0.4167738, 0, 0}},
     {-5.127993, 0.53628433, 4.8372633, -4.3875729, -4.7041716, -4.8346418, -3.1146227, 0.31366856,
      -0.52789902, 0, 0}},
    {{"D1 OC 2 mm high (R)", {{1.00, 0.00, 0}, {4.00, 0.00, 0}}, 1.5, {7, 10}, 8, 5, {32, 32}, 400,
     30, {{0, 2}, {0, 0}}},
     {{{0.99515112, -0.021833089, 148.19507}, 2.725, 1.9617077, 13.798489, 2.2405862, 14.590742,
      -0.44674856, 2.0638711, {0.88659438, -0.0745531, 7.4961183}, {-0.11440662, -0.0745531,
      7.4961183}, -0.20947912, 1.5491946, 2.2676561, 15.120413, -0.24103277, 1.6789606,
      -0.10738696, 0.026231604, -0.0018858775, 0.22090536},
      {{3.9951766, -0.083810774, 31.804927}, 6.4, 2.355594, 15.350383, 2.9967221, 17.214151,
       -1.7478234, 7.7113542, {3.567418, -0.2114212, 172.4821}, {-0.44864621, -0.2114212,
       172.4821}, -0.99324056, 6.0486733, 2.4449128, 16.238997, -1.0320528, 6.3986467, -0.35979902,
       -0.57235238, 0, 0}},
     {-5.6474831, -2.1945719, 5.2822706, -4.4994787, -5.1573475, -4.7196861, -2.9552627,
      0.59858398, -0.46718598, 0.19587648, -0.0019557824}},
    {{"D2 OCs 2 mm out, -4 D", {{-4.00, 0.00, 0}, {-4.00, 0.00, 0}}, 1.6, {4, 4}, 8, 5, {32, 32},
     400, 30, {{-2, 0}, {2, 0}}},
     {{{-3.8430647, -0.10682535, 58.195073}, 1.5, 1.4931722, 12.129322, 1.7167741, 12.690685,
      1.4877929, -4.7653122, {-3.7463947, -0.15721254, 78.423554}, {0.23766901, -0.15721254,
      78.423554}, 1.4274343, -4.7140803, 1.8556589, 13.483057, 1.5760141, -5.2400807, 0.75039168,
      -0.070254018, 0.76885441, -0.00946692},
      {{-3.8430647, -0.10682535, 121.80493}, 1.5, 1.4931722, 12.129322, 1.7167741, 12.690685,
       1.4877929, -4.7653122, {-3.7463947, -0.15721254, 101.57645}, {0.23766901, -0.15721254,
       101.57645}, 1.4274343, -4.7140803, 1.8556589, 13.483057, 1.5760141, -5.2400807, 0.75039168,
       -0.070254018, 0.76885441, -0.00946692}},
     {0, 2.9755858, 0, 0, 0, 0, 0, 0, 1.5007834, 0, 1.5680873}},
    {{"N1 330 mm 40 deg, wrap 20 tilt 12", {{-0.50, 0.00, 0}, {1.50, -0.75, 90}}, 1.5, {6, 7}, 12,
     20, {31, 33}, 330, 40, {{0, 0}, {0, 0}}},
     {{{-0.37988314, -0.085018238, 31.859869}, 1.5, 1.792215, 17.759778, 2.2441307, 18.421889,
      -0.036230321, -0.54643477, {-0.44038356, -0.16091412, 60.140108}, {0.059366565, -0.16091412,
      60.140108}, 0.14002055, -0.7904168, 2.8759162, 21.181048, 0.19679586, -0.94549849,
      -0.22987044, -0.1313095, 0, 0},
      {{1.4046661, -0.72967054, 83.411376}, 3.3375, 2.4738612, 19.112754, 3.2553419, 20.269788,
       -1.5923723, 3.7135806, {1.0522693, -0.64054909, 84.42109}, {-0.30701354, -0.17479971,
       22.581691}, -0.32832062, 2.6869184, 3.1396931, 22.109931, -0.39883093, 3.1105802,
       -0.5937781, -0.33918545, 0, 0}},
     {-4.2600154, -1.6286027, 3.9584204, -3.4773352, -3.6761836, -4.0560787, -1.8362735,
      0.20787595, -0.82364854, 0, 0}},
};
// clang-format on

GazeInput InputOf(const PairRow& row) {
  const Job& job = row.job;
  GazeInput in;
  in.tiltDegrees = job.tilt;
  in.wrapDegrees = job.wrap;
  in.nearWorkingDistanceMm = job.nearMm;
  in.readingGazeDegrees = job.gazeDegrees;
  for (int i = 0; i < 2; ++i) {
    const Eye eye = i == 0 ? Eye::right : Eye::left;
    GazeEyeInput& e = i == 0 ? in.od : in.os;
    e.lens.prescription = job.rx[i];
    e.lens.index = job.index;
    e.lens.baseCurve = job.baseCurve[i];
    e.lens.refractedVertexMm = 13;
    e.lens.fittedVertexMm = 12;
    e.lens.thicknessMm = row.eyes[i].thicknessMm;
    e.lens.ordered =
        CheckEye(e.lens, job.tilt, job.wrap, eye, WearConvention::frame, OrderChoice::exact)
            .exactOrder;
    e.pdMm = job.pdMm[i];
    e.decentrationXMm = job.decentrationMm[i][0];
    e.decentrationYMm = job.decentrationMm[i][1];
  }
  return in;
}

void ExpectEye(const GazeEyeInput& in, const ReadingEye& r, const FittingPointEye& f,
               const EyeValues& v) {
  ExpectRx(in.lens.ordered, v.order, "order");
  ExpectValue(r.back.inset, v.backInset, "back inset");
  ExpectValue(r.back.drop, v.backDrop, "back drop");
  ExpectValue(r.front.inset, v.frontInset, "front inset");
  ExpectValue(r.front.drop, v.frontDrop, "front drop");
  ExpectValue(r.prism.baseIn, v.baseIn, "base in");
  ExpectValue(r.prism.baseUp, v.baseUp, "base up");
  ExpectRx(r.power, v.power, "power");
  ExpectRx(r.error, v.error, "error");
  ExpectValue(r.prenticeAtBack.baseIn, v.prenticeIn, "Prentice in");
  ExpectValue(r.prenticeAtBack.baseUp, v.prenticeUp, "Prentice up");
  ExpectValue(r.firstOrderCrossing.inset, v.firstInset, "first-order inset");
  ExpectValue(r.firstOrderCrossing.drop, v.firstDrop, "first-order drop");
  ExpectValue(r.firstOrderPrism.baseIn, v.firstIn, "first-order in");
  ExpectValue(r.firstOrderPrism.baseUp, v.firstUp, "first-order up");
  ExpectValue(f.asWorn.baseIn, v.fittingIn, "fitting point in");
  ExpectValue(f.asWorn.baseUp, v.fittingUp, "fitting point up");
  ExpectValue(f.focimeter.baseIn, v.focimeterIn, "focimeter in");
  ExpectValue(f.focimeter.baseUp, v.focimeterUp, "focimeter up");
}

TEST(GazeReference, PairsAtReadingAndFittingPoints) {
  for (const PairRow& row : kPairRows) {
    SCOPED_TRACE(row.job.name);
    const GazeInput in = InputOf(row);
    const GazeResult g = GazeCheck(in);
    {
      SCOPED_TRACE("right");
      ExpectEye(in.od, g.reading.od, g.fittingPoint.od, row.eyes[0]);
    }
    {
      SCOPED_TRACE("left");
      ExpectEye(in.os, g.reading.os, g.fittingPoint.os, row.eyes[1]);
    }
    const ReadingPair& r = g.reading;
    const FittingPointPair& f = g.fittingPoint;
    const PairValues& p = row.pair;
    ExpectValue(r.prism.verticalImbalance, p.imbalance, "imbalance");
    ExpectValue(r.prism.horizontalTotal, p.horizontalTotal, "horizontal total");
    ExpectValue(r.verticalVergence, p.verticalVergence, "vertical vergence");
    ExpectValue(r.prenticeImbalanceAtBack, p.prenticeBack, "Prentice imbalance");
    ExpectValue(r.prenticeImbalanceAtFront, p.prenticeFront, "Prentice front imbalance");
    ExpectValue(r.firstOrderImbalance, p.firstOrder, "first-order imbalance");
    ExpectValue(r.ruleOfTenImbalance, p.ruleOfTen, "rule of ten");
    ExpectValue(f.asWorn.verticalImbalance, p.fittingImbalance, "fitting imbalance");
    ExpectValue(f.asWorn.horizontalTotal, p.fittingHorizontal, "fitting horizontal");
    ExpectValue(f.prentice.verticalImbalance, p.prenticeFittingImbalance, "Prentice fitting");
    ExpectValue(f.prentice.horizontalTotal, p.prenticeFittingHorizontal, "Prentice fitting H");
  }
}

// One lens, the same in both eyes unless a test mirrors it; ordered as prescribed.
GazeEyeInput SameLens(const SphCylAxis& rx, double index, double baseCurve, double thicknessMm,
                      double fittedMm = 12) {
  GazeEyeInput e;
  e.lens.prescription = rx;
  e.lens.ordered = rx;
  e.lens.index = index;
  e.lens.baseCurve = baseCurve;
  e.lens.thicknessMm = thicknessMm;
  e.lens.refractedVertexMm = fittedMm;
  e.lens.fittedVertexMm = fittedMm;
  return e;
}

struct PlateRow {
  double tilt, wrap, gazeDegrees, nearMm, decentrationXMm, decentrationYMm;
};

// A plane-parallel plate deviates no ray, wherever it is turned and wherever the eye looks.
TEST(GazeProperties, PlateGivesNoPrism) {
  const std::vector<PlateRow> rows{
      {0, 0, 0, 400, 0, 0},     {8, 5, 30, 400, 0, 0},     {20, 25, 45, 200, 0, 0},
      {12, 0, 40, 1000, 3, -2}, {0, 20, 10, 330, -10, 10},
  };
  for (const PlateRow& row : rows) {
    SCOPED_TRACE(std::to_string(row.tilt) + "/" + std::to_string(row.wrap) + " at " +
                 std::to_string(row.gazeDegrees));
    GazeInput in;
    in.od = in.os = SameLens({0, 0, 0}, 1.6, 0, 3);
    in.od.decentrationXMm = in.os.decentrationXMm = row.decentrationXMm;
    in.od.decentrationYMm = in.os.decentrationYMm = row.decentrationYMm;
    in.tiltDegrees = row.tilt;
    in.wrapDegrees = row.wrap;
    in.readingGazeDegrees = row.gazeDegrees;
    in.nearWorkingDistanceMm = row.nearMm;
    const GazeResult g = GazeCheck(in);
    for (const InducedPrism& p :
         {g.reading.od.prism, g.reading.os.prism, g.fittingPoint.od.asWorn,
          g.fittingPoint.os.asWorn, g.fittingPoint.od.focimeter, g.fittingPoint.os.focimeter}) {
      EXPECT_NEAR(p.baseIn, 0, 1e-10);
      EXPECT_NEAR(p.baseUp, 0, 1e-10);
    }
    EXPECT_NEAR(g.reading.verticalVergence, 0, 1e-10);
    // Looking far through it, the eye turns straight to the object.
    const GazeTarget far = DistanceGaze(row.gazeDegrees, row.wrap);
    const PlacedLens plate({1.6, 0, 0.003}, PowerMatrix::Zero(),
                           WearRotation(row.tilt, row.wrap, Eye::left), Eigen::Vector2d::Zero(),
                           0.0255);
    EXPECT_LT((SolveLineOfSight(plate, far).direction - far.where).norm(), 1e-12);
  }
}

struct LimitRow {
  std::string name;
  GazeInput input;
  std::function<double(const GazeResult&)> measure;
  double expected, tolerance;
};

GazeInput ThinPlusDecentredNasally() {
  GazeInput in;
  in.od = in.os = SameLens({4, 0, 0}, 1.5, 6, 0);
  in.od.decentrationXMm = 5;
  return in;
}

GazeInput Martellaro(double power) {
  GazeInput in;
  in.od = in.os = SameLens({power, 0, 0}, 1.5, power > 0 ? 8 : 2, 1.5, 13.5);
  in.od.pdMm = in.os.pdMm = 31.5;
  in.readingGazeDegrees = 0;
  return in;
}

double NearPd(const GazeResult& g) {
  return 63 - g.reading.od.firstOrderCrossing.inset - g.reading.os.firstOrderCrossing.inset;
}

// The published first-order limits: a thin decentred lens (exact 2.006 against Prentice's
// 2.00) and Martellaro's near inset for DPD 63, 400 mm, 27 mm to the centre of rotation.
TEST(GazeProperties, FirstOrderLimits) {
  const std::vector<LimitRow> rows{
      {"thin +4 decentred 5 mm nasal, exact", ThinPlusDecentredNasally(),
       [](const GazeResult& g) { return g.fittingPoint.od.asWorn.baseIn; }, 2.006, 5e-4},
      {"same by Prentice", ThinPlusDecentredNasally(),
       [](const GazeResult& g) { return g.fittingPoint.od.prentice.baseIn; }, 2.0, 1e-12},
      {"Martellaro plano", Martellaro(0), NearPd, 59.02, 5e-3},
      {"Martellaro -9", Martellaro(-9), NearPd, 59.76, 5e-3},
  };
  for (const LimitRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(row.measure(GazeCheck(row.input)), row.expected, row.tolerance);
  }
}

// Mirror-image lenses, decentred and toric, in a wrapped and tilted frame: the eyes see the
// same, axes mirrored, and the pair has no vertical imbalance or vergence.
TEST(GazeProperties, MirroredPairIsSymmetric) {
  GazeInput in;
  in.od = SameLens({-1, -2, 30}, 1.6, 4, 1.5);
  in.os = SameLens({-1, -2, 150}, 1.6, 4, 1.5);
  in.od.decentrationXMm = 2;
  in.os.decentrationXMm = -2;
  in.od.decentrationYMm = in.os.decentrationYMm = 1;
  in.tiltDegrees = 10;
  in.wrapDegrees = 15;
  in.readingGazeDegrees = 35;
  const GazeResult g = GazeCheck(in);
  const ReadingEye& r = g.reading.od;
  const ReadingEye& l = g.reading.os;
  for (const auto& [right, left] : std::vector<std::pair<double, double>>{
           {r.back.inset, l.back.inset},
           {r.back.drop, l.back.drop},
           {r.front.inset, l.front.inset},
           {r.prism.baseIn, l.prism.baseIn},
           {r.prism.baseUp, l.prism.baseUp},
           {r.power.sphere, l.power.sphere},
           {r.power.axis, 180 - l.power.axis},
           {r.error.cylinder, l.error.cylinder},
           {g.fittingPoint.od.focimeter.baseIn, g.fittingPoint.os.focimeter.baseIn}})
    EXPECT_NEAR(right, left, 1e-9);
  EXPECT_NEAR(g.reading.prism.verticalImbalance, 0, 1e-9);
  EXPECT_NEAR(g.reading.verticalVergence, 0, 1e-9);
  EXPECT_NEAR(g.fittingPoint.asWorn.verticalImbalance, 0, 1e-9);
}

struct PrimaryRow {
  SphCylAxis order;
  double index, baseCurve, thicknessMm, tilt, wrap;
  Eye eye;
};

// Straight ahead at a distant object through an undecentred lens, the gaze model is the
// fitting-point model: same power as worn, same induced prism.
TEST(GazeProperties, PrimaryDistanceGazeIsTheFittingPointModel) {
  const std::vector<PrimaryRow> rows{
      {{-4, -1, 30}, 1.6, 4, 1.5, 15, 15, Eye::right},
      {{6, -2, 70}, 1.5, 12, 9, 20, 25, Eye::right},
      {{-8, -3, 20}, 1.74, 1, 1.5, 10, 5, Eye::left},
      {{2, -0.5, 95}, 1.5, 0, 3, 12, 0, Eye::right},
  };
  for (const PrimaryRow& row : rows) {
    SCOPED_TRACE(std::to_string(row.order.sphere) + " " + std::to_string(row.order.cylinder));
    const ThickLens lens{row.index, BaseCurvePower(row.index, row.baseCurve),
                         row.thicknessMm / 1000};
    const Eigen::Matrix3d r = WearRotation(row.tilt, row.wrap, row.eye);
    const PowerMatrix order = ToPowerMatrix(row.order);
    const ChiefRayTrace fittingPoint = TraceChiefRay(lens, r);
    const PlacedLens placed(lens, order, r, Eigen::Vector2d::Zero(), 0.0255);
    const Eigen::Vector3d primary = Eigen::Vector3d::UnitZ();
    const RayThroughLens ray = TraceFromEye(placed, primary);
    const PowerMatrix worn =
        VergenceOnVertexSphere(placed, ray, primary, std::numeric_limits<double>::infinity());
    EXPECT_LT(MatrixDistance(worn, AsWornPower(fittingPoint, lens, order)), 1e-9);
    const InducedPrism expected = PrismAtFittingPoint(fittingPoint, row.eye);
    const InducedPrism prism =
        PrismOnScreen(r * ray.outward, primary, Eigen::Vector3d::UnitX(), row.eye);
    EXPECT_NEAR(prism.baseIn, expected.baseIn, 1e-9);
    EXPECT_NEAR(prism.baseUp, expected.baseUp, 1e-9);
  }
}

}  // namespace
}  // namespace asworn::optics
