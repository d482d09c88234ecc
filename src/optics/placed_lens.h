// SPDX-License-Identifier: Apache-2.0
#pragma once
// One lens as worn in front of its eye, its optical centre possibly away from the fitting
// point, and a real ray traced through it off the pole: the back surface is the torus, the
// front sphere moves with the lens.
//
// Eye frame: origin at the fitting point on the back surface, x toward the patient's left, y
// up, z forward; the centre of rotation (CRE) at (0, 0, −s). Lens frame: origin at the back
// pole, X_eye = pole + R·X_lens.

#include <Eigen/Core>

#include "power_matrix.h"
#include "thick_lens.h"
#include "toric_back.h"

namespace asworn::optics {

struct PlacedLens {
  // order: the back vertex power the lab reads (lens frame); r: the wear rotation;
  // decentration: optical centre minus fitting point along X_L, Y_L (m); creDistance: from
  // the fitting point back to the CRE (m).
  PlacedLens(const ThickLens& lens, const PowerMatrix& order, const Eigen::Matrix3d& r,
             const Eigen::Vector2d& decentration, double creDistance);

  ThickLens lens;
  PowerMatrix order;
  Eigen::Matrix3d rotation;
  Eigen::Vector2d decentration;
  double creDistance;
  ToricBack back;
  Eigen::Vector3d pole;  // eye frame
  Eigen::Vector3d cre;   // eye frame

  Eigen::Vector3d FrontCentre() const;  // lens frame; meaningless for a plane front
  Eigen::Vector3d ToLens(const Eigen::Vector3d& eyePoint) const;
  Eigen::Vector3d ToEye(const Eigen::Vector3d& lensPoint) const;
};

// A ray through both surfaces, outward from the eye; points and directions in the lens frame.
struct RayThroughLens {
  Eigen::Vector3d start;        // where it was started: the CRE, or a point of the back surface
  Eigen::Vector3d inward;       // unit direction before the back surface (eye side)
  Eigen::Vector3d back;         // P2 on the back surface
  SagDerivatives backSlope;     // of the back surface at P2
  Eigen::Vector3d inGlass;      // unit direction between the surfaces
  Eigen::Vector3d front;        // P1 on the front surface
  Eigen::Vector3d frontNormal;  // outward-facing unit normal at P1 (toward +Z_L)
  Eigen::Vector3d outward;      // unit direction toward the object
};

// From the CRE along the eye-frame line of sight d0 (unit).
RayThroughLens TraceFromEye(const PlacedLens& placed, const Eigen::Vector3d& lineOfSight);

// The focimeter's ray: through the back surface at lens coordinates (x, y), along its normal.
RayThroughLens TraceAlongBackNormal(const PlacedLens& placed, double x, double y);

}  // namespace asworn::optics
