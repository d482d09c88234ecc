// SPDX-License-Identifier: Apache-2.0
#include "chief_ray.h"

#include <Eigen/Geometry>
#include <Eigen/LU>
#include <cmath>

namespace asworn::optics {
BasisAcrossRay BasisAcross(const Eigen::Vector3d& k, const Eigen::Vector3d& reference) {
  const Eigen::Vector3d e1 = (reference - reference.dot(k) * k).normalized();
  BasisAcrossRay b;
  b.col(0) = e1;
  b.col(1) = k.cross(e1);
  return b;
}

Eigen::Matrix2d Transfer(const Eigen::Matrix2d& v, double distance, double index) {
  return v * (Eigen::Matrix2d::Identity() - (distance / index) * v).inverse();
}

double FrontSurfaceDistance(const ThickLens& lens, const Eigen::Vector3d& start,
                            const Eigen::Vector3d& direction, const Eigen::Vector3d& axis,
                            const Eigen::Vector3d& centre) {
  if (lens.frontPower == 0) return (lens.thickness - start.dot(axis)) / direction.dot(axis);
  const double r1 = lens.FrontRadius();
  const Eigen::Vector3d fromCentre = start - centre;
  const double b = direction.dot(fromCentre);
  const double q = fromCentre.squaredNorm() - r1 * r1;
  const double disc = b * b - q;
  if (!(disc >= 0)) throw TraceFault(OpticsFault::missesFrontSurface);
  const double root = std::sqrt(disc);
  const auto onCap = [&](double s) {
    return std::copysign(1.0, r1) * (s * direction + fromCentre).dot(axis) >= 0;
  };
  const double near = -b - root, far = -b + root;
  const bool nearOk = onCap(near), farOk = onCap(far);
  if (!nearOk && !farOk) throw TraceFault(OpticsFault::missesFrontSurface);
  return nearOk && farOk ? (std::abs(near) <= std::abs(far) ? near : far) : nearOk ? near : far;
}

Eigen::Vector3d Refract(const Eigen::Vector3d& d, Eigen::Vector3d normal, double n1, double n2) {
  double cosIn = d.dot(normal);
  if (cosIn < 0) {
    normal = -normal;
    cosIn = -cosIn;
  }
  const double mu = n1 / n2;
  const double radicand = 1 - mu * mu * (1 - cosIn * cosIn);
  if (!(radicand >= 0)) throw TraceFault(OpticsFault::totalReflection);
  return mu * d + (std::sqrt(radicand) - mu * cosIn) * normal;
}

ChiefRayTrace TraceChiefRay(const ThickLens& lens, const Eigen::Matrix3d& r) {
  const double n = lens.index;
  if (!(n > 1) || !std::isfinite(n)) throw TraceFault(OpticsFault::indexNotAboveOne);
  if (!std::isfinite(lens.frontPower) || !(lens.thickness >= 0))
    throw TraceFault(OpticsFault::lensNotBuildable);
  const Eigen::Vector3d axis = r.col(2);
  const Eigen::Vector3d reference = r.col(0);
  const Eigen::Vector3d d0 = Eigen::Vector3d::UnitZ();

  // Outward from the eye: the back pole, then the glass, then the front surface.
  const Eigen::Vector3d d1 = Refract(d0, axis, 1, n);
  const bool plane = lens.frontPower == 0;
  const double r1 = plane ? 0 : lens.FrontRadius();
  const Eigen::Vector3d centre = (lens.thickness - r1) * axis;
  const double s1 = FrontSurfaceDistance(lens, Eigen::Vector3d::Zero(), d1, axis, centre);
  const Eigen::Vector3d p1 = s1 * d1;
  const Eigen::Vector3d frontNormal = plane ? axis : Eigen::Vector3d((p1 - centre) / r1);
  const Eigen::Vector3d d2 = Refract(d1, frontNormal, n, 1);

  // Light runs back: from the object through the front surface into the glass.
  const Eigen::Vector3d k0 = -d2;
  const Eigen::Vector3d k1 = -d1;
  Eigen::Vector3d n1 = plane ? Eigen::Vector3d(-axis) : Eigen::Vector3d((centre - p1) / r1);
  double curvature1 = plane ? 0 : 1 / r1;
  if (k0.dot(n1) < 0) {
    n1 = -n1;
    curvature1 = -curvature1;
  }
  const double delta1 = n * k1.dot(n1) - k0.dot(n1);
  const BasisAcrossRay e1 = BasisAcross(k1, reference);
  const BasisAcrossRay t1 = BasisAcross(n1, reference);
  const Eigen::Matrix2d g1 = e1.transpose() * t1;
  const Eigen::Matrix2d g1Inverse = g1.inverse();
  // The wave from infinity has no vergence before the front surface.
  const Eigen::Matrix2d v1 = g1Inverse.transpose() * (delta1 * curvature1) * g1Inverse;
  const Eigen::Matrix2d v1AtBack = Transfer(v1, s1, n);

  const BasisAcrossRay t2 = r.leftCols<2>();
  const Eigen::Matrix2d g = e1.transpose() * t2;
  const Eigen::Vector3d n2 = -axis;
  ChiefRayTrace trace;
  trace.vergenceAtBack = g.transpose() * v1AtBack * g;
  trace.backBasis = r.topLeftCorner<2, 2>();
  trace.backObliquity = r(2, 2) - n * k1.dot(n2);
  trace.objectSide = d2;
  if (!trace.vergenceAtBack.allFinite() || !d2.allFinite() || !std::isfinite(trace.backObliquity) ||
      trace.backBasis.determinant() == 0)
    throw TraceFault(OpticsFault::noFinitePower);
  return trace;
}

}  // namespace asworn::optics
