// SPDX-License-Identifier: Apache-2.0
#include "placed_lens.h"

#include <cmath>

#include "chief_ray.h"

namespace asworn::optics {
namespace {

Eigen::Vector3d BackNormal(const SagDerivatives& d) {
  return Eigen::Vector3d(-d.sx, -d.sy, 1).normalized();
}

// From P2 onward: into the glass, across to the front sphere, out toward the object.
void ThroughGlass(const PlacedLens& placed, RayThroughLens& ray) {
  const ThickLens& lens = placed.lens;
  ray.inGlass = Refract(ray.inward, BackNormal(ray.backSlope), 1, lens.index);
  const Eigen::Vector3d axis = Eigen::Vector3d::UnitZ();
  const Eigen::Vector3d centre = placed.FrontCentre();
  const double s1 = FrontSurfaceDistance(lens, ray.back, ray.inGlass, axis, centre);
  ray.front = ray.back + s1 * ray.inGlass;
  ray.frontNormal =
      lens.frontPower == 0 ? axis : Eigen::Vector3d((ray.front - centre) / lens.FrontRadius());
  ray.outward = Refract(ray.inGlass, ray.frontNormal, lens.index, 1);
  if (!ray.outward.allFinite() || !ray.front.allFinite())
    throw TraceFault(OpticsFault::noSightLine);
}

}  // namespace

PlacedLens::PlacedLens(const ThickLens& lens, const PowerMatrix& order, const Eigen::Matrix3d& r,
                       const Eigen::Vector2d& decentration, double creDistance)
    : lens(lens),
      order(order),
      rotation(r),
      decentration(decentration),
      creDistance(creDistance),
      back(BackCurvature(lens, order)),
      cre(0, 0, -creDistance) {
  // The fitting point is the back-surface point opposite the decentration; it sits at the
  // eye-frame origin, which fixes where the pole goes.
  const double fx = -decentration.x(), fy = -decentration.y();
  const Eigen::Vector3d fittingPoint(fx, fy, back.At(fx, fy).sag);
  pole = -(r * fittingPoint);
}

Eigen::Vector3d PlacedLens::FrontCentre() const {
  return {0, 0, lens.thickness - (lens.frontPower == 0 ? 0 : lens.FrontRadius())};
}

Eigen::Vector3d PlacedLens::ToLens(const Eigen::Vector3d& eyePoint) const {
  return rotation.transpose() * (eyePoint - pole);
}

Eigen::Vector3d PlacedLens::ToEye(const Eigen::Vector3d& lensPoint) const {
  return pole + rotation * lensPoint;
}

RayThroughLens TraceFromEye(const PlacedLens& placed, const Eigen::Vector3d& lineOfSight) {
  RayThroughLens ray;
  ray.start = placed.ToLens(placed.cre);
  ray.inward = placed.rotation.transpose() * lineOfSight;
  const Eigen::Vector3d& q = ray.start;
  const Eigen::Vector3d& e = ray.inward;
  // Newton on the ray parameter, from the plane tangent at the pole.
  double sigma = -q.z() / e.z();
  for (int i = 0; i < 60; ++i) {
    const Eigen::Vector3d p = q + sigma * e;
    const SagDerivatives d = placed.back.At(p.x(), p.y());
    const double step = (p.z() - d.sag) / (e.z() - d.sx * e.x() - d.sy * e.y());
    sigma -= step;
    if (!(std::abs(step) >= 1e-16)) break;
  }
  ray.back = q + sigma * e;
  ray.backSlope = placed.back.At(ray.back.x(), ray.back.y());
  if (!ray.back.allFinite() || !std::isfinite(ray.backSlope.sag))
    throw TraceFault(OpticsFault::missesBackSurface);
  ThroughGlass(placed, ray);
  return ray;
}

RayThroughLens TraceAlongBackNormal(const PlacedLens& placed, double x, double y) {
  RayThroughLens ray;
  ray.backSlope = placed.back.At(x, y);
  ray.back = Eigen::Vector3d(x, y, ray.backSlope.sag);
  ray.start = ray.back;
  ray.inward = BackNormal(ray.backSlope);
  if (!ray.back.allFinite()) throw TraceFault(OpticsFault::centreOffBackSurface);
  ThroughGlass(placed, ray);
  return ray;
}

}  // namespace asworn::optics
