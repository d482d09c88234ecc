// SPDX-License-Identifier: Apache-2.0
#include "line_of_sight.h"

#include <Eigen/LU>
#include <cmath>

#include "chief_ray.h"
#include "lens_units.h"

namespace asworn::optics {
namespace {

Eigen::Vector3d Direction(const Eigen::Vector2d& slopes) {
  return Eigen::Vector3d(slopes.x(), slopes.y(), 1).normalized();
}

// How far the ray leaving the lens misses the object, as a difference of slopes.
Eigen::Vector2d Miss(const PlacedLens& placed, const GazeTarget& target,
                     const RayThroughLens& ray) {
  const Eigen::Vector3d out = placed.rotation * ray.outward;
  const Eigen::Vector3d toObject =
      target.atInfinity ? target.where : Eigen::Vector3d(target.where - placed.ToEye(ray.front));
  return {out.x() / out.z() - toObject.x() / toObject.z(),
          out.y() / out.z() - toObject.y() / toObject.z()};
}

Eigen::Vector2d MissAt(const PlacedLens& placed, const GazeTarget& target,
                       const Eigen::Vector2d& slopes) {
  return Miss(placed, target, TraceFromEye(placed, Direction(slopes)));
}

}  // namespace

GazeTarget DistanceGaze(double downDegrees, double towardLeftDegrees) {
  const double beta = downDegrees * kRadiansPerDegree;
  const double alpha = towardLeftDegrees * kRadiansPerDegree;
  return {{std::sin(alpha), -std::sin(beta) * std::cos(alpha), std::cos(beta) * std::cos(alpha)},
          true};
}

LineOfSight SolveLineOfSight(const PlacedLens& placed, const GazeTarget& target) {
  // Start from the straight line, as if there were no lens.
  const Eigen::Vector3d straight =
      target.atInfinity ? target.where : Eigen::Vector3d(target.where - placed.cre);
  Eigen::Vector2d slopes(straight.x() / straight.z(), straight.y() / straight.z());
  // The Jacobian's accuracy sets only the speed of convergence, not where it ends.
  constexpr double h = 1e-7;
  for (int i = 0; i < 50; ++i) {
    const Eigen::Vector2d miss = MissAt(placed, target, slopes);
    if (!miss.allFinite()) throw TraceFault(OpticsFault::noSightLine);
    if (miss.norm() < 1e-15) break;
    Eigen::Matrix2d jacobian;
    for (int j = 0; j < 2; ++j) {
      Eigen::Vector2d step = Eigen::Vector2d::Zero();
      step(j) = h;
      jacobian.col(j) =
          (MissAt(placed, target, slopes + step) - MissAt(placed, target, slopes - step)) / (2 * h);
    }
    const Eigen::Vector2d step = jacobian.inverse() * miss;
    slopes -= step;
    if (!(step.norm() >= 1e-16)) break;
  }
  LineOfSight sight;
  sight.direction = Direction(slopes);
  sight.ray = TraceFromEye(placed, sight.direction);
  return sight;
}

}  // namespace asworn::optics
