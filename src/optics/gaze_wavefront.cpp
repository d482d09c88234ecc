// SPDX-License-Identifier: Apache-2.0
#include "gaze_wavefront.h"

#include <Eigen/Geometry>
#include <Eigen/LU>
#include <cmath>

#include "chief_ray.h"

namespace asworn::optics {
namespace {

// Generalized Coddington refraction: the vergence after the surface from the one before,
// G'ᵀ·V'·G' = Gᵀ·V·G + Δ·C, with G = Eᵀ·T and G' = E'ᵀ·T.
Eigen::Matrix2d Refracted(const Eigen::Matrix2d& before, const BasisAcrossRay& beforeBasis,
                          const BasisAcrossRay& afterBasis, const BasisAcrossRay& tangents,
                          double delta, const Eigen::Matrix2d& curvature) {
  const Eigen::Matrix2d g = beforeBasis.transpose() * tangents;
  const Eigen::Matrix2d gAfterInverse = (afterBasis.transpose() * tangents).inverse();
  return gAfterInverse.transpose() * (g.transpose() * before * g + delta * curvature) *
         gAfterInverse;
}

}  // namespace

Eigen::Matrix<double, 3, 2> ListingBasis(const Eigen::Vector3d& d) {
  const double k = 1 / (1 + d.z());
  Eigen::Matrix<double, 3, 2> e;
  e.col(0) << 1 - d.x() * d.x() * k, -d.x() * d.y() * k, -d.x();
  e.col(1) << -d.x() * d.y() * k, 1 - d.y() * d.y() * k, -d.y();
  return e;
}

PowerMatrix VergenceOnVertexSphere(const PlacedLens& placed, const RayThroughLens& ray,
                                   const Eigen::Vector3d& lineOfSight, double objectDistance) {
  // Everything in the lens frame: the vergences are the same in any frame, and the surfaces
  // are simplest there. Light runs from the object toward the eye, k = −d.
  const double n = placed.lens.index;
  const Eigen::Vector3d xL = Eigen::Vector3d::UnitX();
  const Eigen::Vector3d k0 = -ray.outward;
  const Eigen::Vector3d k1 = -ray.inGlass;
  const Eigen::Vector3d k2 = -ray.inward;

  // A point object sends a spherical wave; one at infinity a plane wave.
  const Eigen::Matrix2d v0 = std::isinf(objectDistance)
                                 ? Eigen::Matrix2d::Zero()
                                 : Eigen::Matrix2d(-Eigen::Matrix2d::Identity() / objectDistance);

  // Front sphere at P1, its normal along the light.
  Eigen::Vector3d n1 = -ray.frontNormal;
  double curvature1 = placed.lens.frontPower == 0 ? 0 : 1 / placed.lens.FrontRadius();
  if (k0.dot(n1) < 0) {
    n1 = -n1;
    curvature1 = -curvature1;
  }
  const BasisAcrossRay e0 = BasisAcross(k0, xL);
  const BasisAcrossRay e1 = BasisAcross(k1, xL);
  const Eigen::Matrix2d v1 = Refracted(v0, e0, e1, BasisAcross(n1, xL), n * k1.dot(n1) - k0.dot(n1),
                                       curvature1 * Eigen::Matrix2d::Identity());
  const Eigen::Matrix2d v1AtBack = Transfer(v1, (ray.back - ray.front).norm(), n);

  // Back torus at P2: curvature with respect to its normal, in the tangent basis t1, t2.
  const SagDerivatives& s = ray.backSlope;
  const double w = std::sqrt(1 + s.sx * s.sx + s.sy * s.sy);
  Eigen::Vector3d nu = Eigen::Vector3d(-s.sx, -s.sy, 1) / w;
  BasisAcrossRay t2;
  t2.col(0) = Eigen::Vector3d(1, 0, s.sx).normalized();
  t2.col(1) = nu.cross(Eigen::Vector3d(t2.col(0)));
  const Eigen::Matrix2d a = t2.topRows<2>();
  Eigen::Matrix2d hessian;
  hessian << s.sxx, s.sxy, s.sxy, s.syy;
  Eigen::Matrix2d curvature2 = a.transpose() * (hessian / w) * a;
  if (k1.dot(nu) < 0) {
    nu = -nu;
    curvature2 = -curvature2;
  }
  // The eye side's basis is Listing's, not "k × first", which would mirror every axis.
  const BasisAcrossRay listing = placed.rotation.transpose() * ListingBasis(lineOfSight);
  const Eigen::Matrix2d v2 =
      Refracted(v1AtBack, e1, listing, t2, k2.dot(nu) - n * k1.dot(nu), curvature2);

  // On to the vertex sphere, in air.
  const double toSphere = (ray.back - ray.start).norm() - placed.creDistance;
  const Eigen::Matrix2d vq = Transfer(v2, toSphere, 1);
  return (vq + vq.transpose()) / 2;
}

}  // namespace asworn::optics
