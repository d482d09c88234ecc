// SPDX-License-Identifier: Apache-2.0
#pragma once
// Where the eyes look through a pair of lenses: at the reading point, each eye's real line of
// sight through its lens (crossing points, prism, power as worn there and its error), the
// pair's imbalances; in primary gaze at the fitting points, the prism as worn with the optical
// centres decentred, and what a focimeter reads there. First-order values (similar triangles,
// Prentice's rule with the ordered powers) beside them for comparison.

#include <Eigen/Core>

#include "as_worn_check.h"
#include "gaze_prism.h"
#include "power_matrix.h"
#include "wear_rotation.h"

namespace asworn::optics {

// The eye's centre of rotation behind the cornea, mm: a parameter of the model.
inline constexpr double kCentreOfRotationBehindCorneaMm = 13.5;

inline constexpr double kDefaultMonocularPdMm = 32;
inline constexpr double kDefaultNearWorkingDistanceMm = 400;
inline constexpr double kDefaultReadingGazeDegrees = 25;

struct GazeEyeInput {
  // The lens as it leaves the program: `ordered` is the back vertex power the lab makes (the
  // ticket's order or the exact one), `prescription` what the eye needs.
  EyeInput lens;
  double pdMm = kDefaultMonocularPdMm;  // fitting point from the facial midline
  // Optical centre minus fitting point along the lens's own X (patient's left) and Y (up), mm.
  double decentrationXMm = 0;
  double decentrationYMm = 0;
};

struct GazeInput {
  GazeEyeInput od, os;
  double tiltDegrees = 0;
  double wrapDegrees = 0;
  WearConvention convention = WearConvention::frame;
  double nearWorkingDistanceMm = kDefaultNearWorkingDistanceMm;  // from the spectacle plane
  double readingGazeDegrees = kDefaultReadingGazeDegrees;  // below primary, seen between the eyes
};

// From the fitting point, mm along the lens's own axes: positive nasal and down.
struct CrossingPoint {
  double inset = 0;
  double drop = 0;
};

struct ReadingEye {
  Eigen::Vector3d lineOfSight;  // from the centre of rotation, eye frame
  CrossingPoint back, front;    // where the line of sight crosses each surface
  InducedPrism prism;
  PowerMatrix powerMatrix, errorMatrix;  // in the eye's Listing basis
  SphCylAxis power, error;               // error: against the prescription at the fitted vertex
  // First order, for comparison: Prentice at the exact crossings; the crossing by similar
  // triangles through a thin lens and Prentice there.
  InducedPrism prenticeAtBack, prenticeAtFront;
  CrossingPoint firstOrderCrossing;
  InducedPrism firstOrderPrism;
};

struct ReadingPair {
  ReadingEye od, os;
  PairPrism prism;
  double verticalVergence = 0;  // 100·tan of right minus left elevation; 0 without lenses
  double prenticeImbalanceAtBack = 0;
  double prenticeImbalanceAtFront = 0;
  double firstOrderImbalance = 0;
  double ruleOfTenImbalance = 0;  // 10 mm below both optical centres
};

struct FittingPointEye {
  InducedPrism asWorn;     // the wearer's, tilt and wrap included
  InducedPrism focimeter;  // along the back surface's normal, as a lab verifies
  InducedPrism prentice;
};

struct FittingPointPair {
  FittingPointEye od, os;
  PairPrism asWorn, focimeter, prentice;
};

struct GazeResult {
  ReadingPair reading;
  FittingPointPair fittingPoint;
};

// Throws TraceFault when a lens cannot be traced at the reading point or the fitting point.
GazeResult GazeCheck(const GazeInput& input);

}  // namespace asworn::optics
