// SPDX-License-Identifier: Apache-2.0
#pragma once
// The wavefront from the object carried back along a chief ray that crosses the lens away
// from its pole, to the vertex sphere, in the basis the eye's own astigmatism turns with.

#include <Eigen/Core>

#include "placed_lens.h"
#include "power_matrix.h"

namespace asworn::optics {

// The eye frame's x and y carried to the line of sight d0 by the rotation about an axis in
// the x–y plane (Listing's law, primary position along z): columns e1, e2.
Eigen::Matrix<double, 3, 2> ListingBasis(const Eigen::Vector3d& lineOfSight);

// The vergence matrix (D) at the point Q where the chief ray meets the vertex sphere, in the
// Listing basis of lineOfSight. objectDistance: from the object to the front exit point P1 (m),
// infinite for an object at infinity.
PowerMatrix VergenceOnVertexSphere(const PlacedLens& placed, const RayThroughLens& ray,
                                   const Eigen::Vector3d& lineOfSight, double objectDistance);

}  // namespace asworn::optics
