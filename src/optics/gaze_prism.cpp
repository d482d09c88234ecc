// SPDX-License-Identifier: Apache-2.0
#include "gaze_prism.h"

#include <Eigen/Geometry>

namespace asworn::optics {
namespace {

// x points to the patient's left, nasal for the right eye only.
InducedPrism Based(double towardLeft, double up, Eye eye) {
  return {(eye == Eye::right ? towardLeft : -towardLeft) + 0.0, up + 0.0};
}

}  // namespace

InducedPrism PrismOnScreen(const Eigen::Vector3d& outward, const Eigen::Vector3d& axis,
                           const Eigen::Vector3d& horizontal, Eye eye) {
  // Light bends toward the base: an object seen displaced nasally means base in. The screen's
  // vertical is out of the plane of the line of sight and the horizontal, which is what a
  // vertical vergence must undo.
  const Eigen::Vector3d h1 = (horizontal - horizontal.dot(axis) * axis).normalized();
  const Eigen::Vector3d h2 = axis.cross(h1);
  const double along = outward.dot(axis);
  return Based(100 * outward.dot(h1) / along, 100 * outward.dot(h2) / along, eye);
}

InducedPrism PrenticePrism(const PowerMatrix& order, const Eigen::Vector2d& fromOpticalCentre,
                           Eye eye) {
  const Eigen::Vector2d prism = -100 * order * fromOpticalCentre;
  return Based(prism.x(), prism.y(), eye);
}

PairPrism PairOf(const InducedPrism& od, const InducedPrism& os) {
  return {od.baseUp - os.baseUp, od.baseIn + os.baseIn};
}

}  // namespace asworn::optics
