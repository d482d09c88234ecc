// SPDX-License-Identifier: Apache-2.0
#pragma once
// The line of sight traced through the thick lens as worn, and the wavefront from an object
// at infinity carried back along it (generalized Coddington refraction and transfer).
//
// The chief ray from the eye's centre of rotation meets the back surface at its pole
// whatever the back curvature, so everything here is independent of the order: the power as
// worn is affine in the back surface's curvature.

#include <Eigen/Core>

#include "optics_fault.h"
#include "thick_lens.h"

namespace asworn::optics {

struct ChiefRayTrace {
  // Gᵀ·V·G: the vergence inside the glass arriving at the back pole, in the back surface's
  // tangent basis (R·x̂, R·ŷ).
  Eigen::Matrix2d vergenceAtBack;
  Eigen::Matrix2d backBasis;   // G2 = Eᵀ·T at the back pole: upper-left block of R
  double backObliquity;        // Δ2 = cos θ − n·cos θ', never 0 for n > 1
  Eigen::Vector3d objectSide;  // unit direction from the lens toward the object seen
};

// Vector Snell's law; the normal may point either way. Throws TraceFault on total
// internal reflection.
Eigen::Vector3d Refract(const Eigen::Vector3d& d, Eigen::Vector3d normal, double n1, double n2);

// An orthonormal basis of the plane across the unit vector `k`, its first vector from
// `reference`. Vergences do not depend on the choice; this one is well conditioned.
using BasisAcrossRay = Eigen::Matrix<double, 3, 2>;
BasisAcrossRay BasisAcross(const Eigen::Vector3d& k, const Eigen::Vector3d& reference);

// V·(I − (d/n)·V)⁻¹: a vergence matrix carried a distance d through index n.
Eigen::Matrix2d Transfer(const Eigen::Matrix2d& v, double distance, double index);

// How far a ray from `start` along the unit `direction` runs to the front surface, whose
// vertex-side cap faces `axis` (the optical axis) and whose centre is `centre` (unused for
// a plane front, which lies at `thickness` along the axis from the back pole at the origin).
double FrontSurfaceDistance(const ThickLens& lens, const Eigen::Vector3d& start,
                            const Eigen::Vector3d& direction, const Eigen::Vector3d& axis,
                            const Eigen::Vector3d& centre);

// R is the wear rotation (lens frame to eye frame).
ChiefRayTrace TraceChiefRay(const ThickLens& lens, const Eigen::Matrix3d& r);

}  // namespace asworn::optics
