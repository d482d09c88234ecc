// SPDX-License-Identifier: Apache-2.0
#pragma once
// The lens as worn, rotated about its back vertex into the eye frame: x toward the patient's
// left, y up, z forward from the eye toward the object.

#include <Eigen/Core>

#include "eye_fields.h"
#include "lens_order.h"

namespace asworn::optics {

// X_eye = R·X_lens. Positive tilt turns the optical axis down, positive wrap turns it
// temporally; the left eye is the mirror image of the right. Angles in degrees.
Eigen::Matrix3d WearRotation(double tiltDegrees, double wrapDegrees, Eye eye,
                             WearConvention convention = WearConvention::frame);

}  // namespace asworn::optics
