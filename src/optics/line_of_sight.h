// SPDX-License-Identifier: Apache-2.0
#pragma once
// The eye's line of sight through the lens to an object: the real ray through the centre of
// rotation that leaves the lens toward the object, found by Newton's method on its slopes.

#include <Eigen/Core>

#include "placed_lens.h"

namespace asworn::optics {

// What the eye looks at, in its eye frame: a point at finite distance, or a direction (the
// object at infinity).
struct GazeTarget {
  Eigen::Vector3d where;
  bool atInfinity = false;
};

struct LineOfSight {
  Eigen::Vector3d direction;  // d0, unit, from the CRE outward (eye frame)
  RayThroughLens ray;
};

// An object at infinity in a head direction: `downDegrees` below the primary direction, then
// `towardLeftDegrees` toward the patient's left. The same for both eyes.
GazeTarget DistanceGaze(double downDegrees, double towardLeftDegrees = 0);

LineOfSight SolveLineOfSight(const PlacedLens& placed, const GazeTarget& target);

}  // namespace asworn::optics
