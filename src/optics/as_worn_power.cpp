// SPDX-License-Identifier: Apache-2.0
#include "as_worn_power.h"

#include <Eigen/LU>

namespace asworn::optics {
namespace {

PowerMatrix Symmetric(const PowerMatrix& f) {
  return (f + f.transpose()) / 2;
}

}  // namespace

PowerMatrix AsWornPower(const ChiefRayTrace& trace, const ThickLens& lens,
                        const PowerMatrix& backVertexPower) {
  const PowerMatrix k2 = BackCurvature(lens, backVertexPower);
  const Eigen::Matrix2d g2Inverse = trace.backBasis.inverse();
  return Symmetric(g2Inverse.transpose() * (trace.vergenceAtBack - trace.backObliquity * k2) *
                   g2Inverse);
}

PowerMatrix RequiredPower(const PowerMatrix& prescription, double refractedMm, double fittedMm) {
  const double d = (refractedMm - fittedMm) / 1000;
  return Symmetric(prescription * (PowerMatrix::Identity() - d * prescription).inverse());
}

PowerMatrix ExactOrder(const ChiefRayTrace& trace, const ThickLens& lens,
                       const PowerMatrix& required) {
  const Eigen::Matrix2d& g2 = trace.backBasis;
  const PowerMatrix k2 =
      (trace.vergenceAtBack - g2.transpose() * required * g2) / trace.backObliquity;
  return Symmetric(BackVertexPower(lens, k2));
}

InducedPrism PrismAtFittingPoint(const ChiefRayTrace& trace, Eye eye) {
  const Eigen::Vector3d& d = trace.objectSide;
  const double towardLeft = 100 * d.x() / d.z();  // x points to the patient's left
  // +0.0 keeps an exact zero unsigned.
  return {(eye == Eye::right ? towardLeft : -towardLeft) + 0.0, 100 * d.y() / d.z() + 0.0};
}

}  // namespace asworn::optics
