// SPDX-License-Identifier: Apache-2.0
#pragma once
// The real lens: spherical front from the base curve, the ticket's centre thickness, and a
// back surface that gives the ordered back vertex power at normal incidence, as a
// lensmeter reads it.

#include "power_matrix.h"

namespace asworn::optics {

struct ThickLens {
  double index = 1.5;
  double frontPower = 0;  // D in the lens material; 0 for a plane front
  double thickness = 0;   // centre thickness, m

  // Signed front radius in m; positive for a convex front. Meaningless for a plane.
  double FrontRadius() const { return (index - 1) / frontPower; }
  // Vergence of light from infinity on the axis, just inside the back surface.
  double AxialVergenceAtBack() const;
};

// Curvature matrix of the back surface at its pole (lens frame, positive bending toward +Z).
PowerMatrix BackCurvature(const ThickLens& lens, const PowerMatrix& backVertexPower);

// The back vertex power that a back curvature gives: the inverse of BackCurvature.
PowerMatrix BackVertexPower(const ThickLens& lens, const PowerMatrix& backCurvature);

}  // namespace asworn::optics
