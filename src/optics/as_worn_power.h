// SPDX-License-Identifier: Apache-2.0
#pragma once
// Primary gaze at the fitting point: the power a lens gives as worn, the power the eye needs,
// the order that gives exactly that, and the prism the lens induces there.

#include "chief_ray.h"
#include "induced_prism.h"
#include "power_matrix.h"
#include "thick_lens.h"
#include "wear_rotation.h"

namespace asworn::optics {

// The vergence, at the vertex sphere, of the wave from an object at infinity, in the eye
// frame. backVertexPower is the order: the lens-frame matrix a lensmeter reads.
PowerMatrix AsWornPower(const ChiefRayTrace& trace, const ThickLens& lens,
                        const PowerMatrix& backVertexPower);

// The prescription moved from the refracted to the fitted vertex distance (mm), in matrix
// form so that an oblique cylinder moves as a whole.
PowerMatrix RequiredPower(const PowerMatrix& prescription, double refractedMm, double fittedMm);

// The back vertex power (lens frame) whose power as worn is `required`. Closed form: the
// power as worn is affine in the back surface's curvature.
PowerMatrix ExactOrder(const ChiefRayTrace& trace, const ThickLens& lens,
                       const PowerMatrix& required);

// Light bends toward the base: an object seen nasally of straight ahead means base in.
InducedPrism PrismAtFittingPoint(const ChiefRayTrace& trace, Eye eye);

}  // namespace asworn::optics
