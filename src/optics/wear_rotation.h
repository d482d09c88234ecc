// SPDX-License-Identifier: Apache-2.0
#pragma once
// The lens as worn, rotated about its back vertex into the eye frame: x toward the patient's
// left, y up, z forward from the eye toward the object.

#include <Eigen/Core>

#include "eye_fields.h"

namespace asworn::optics {

// Which rotation comes first. frame: the lens is wrapped within the front, then the whole
// front is tilted on the face (both angles as a dispenser measures them). head: tilted, then
// turned about the head's vertical.
enum class WearConvention { frame, head };

// X_eye = R·X_lens. Positive tilt turns the optical axis down, positive wrap turns it
// temporally; the left eye is the mirror image of the right. Angles in degrees.
Eigen::Matrix3d WearRotation(double tiltDegrees, double wrapDegrees, Eye eye,
                             WearConvention convention = WearConvention::frame);

}  // namespace asworn::optics
