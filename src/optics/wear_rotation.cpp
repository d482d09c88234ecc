// SPDX-License-Identifier: Apache-2.0
#include "wear_rotation.h"

#include <Eigen/Geometry>

#include "lens_units.h"

namespace asworn::optics {

Eigen::Matrix3d WearRotation(double tiltDegrees, double wrapDegrees, Eye eye,
                             WearConvention convention) {
  // A positive angle about +x turns +z toward −y (down); about +y it turns +z toward +x,
  // which is temporal for the left eye only.
  const Eigen::Matrix3d tilt(
      Eigen::AngleAxisd(tiltDegrees * kRadiansPerDegree, Eigen::Vector3d::UnitX()));
  const double wrap = (eye == Eye::right ? -wrapDegrees : wrapDegrees) * kRadiansPerDegree;
  const Eigen::Matrix3d turn(Eigen::AngleAxisd(wrap, Eigen::Vector3d::UnitY()));
  if (convention == WearConvention::head) return turn * tilt;
  return tilt * turn;
}

}  // namespace asworn::optics
