// SPDX-License-Identifier: Apache-2.0
#pragma once
// Tilt and wrap in radians, and each eye's reference meridians and axis offset.

#include "compensation.h"
#include "job_sheet.h"

namespace asworn {

// The wrap, in degrees, whose reference meridians stand for those of a wrap of 0.
inline constexpr double kLimitWrap = 1e-9;

// Tilt and wrap in radians.
Radians TiltAndWrapRadians(const JobSheet& sheet);

// The reference meridians and offsets. The left eye mirrors the right about 45 degrees:
// its meridians are 90 minus the right eye's.
Angles SetUpAngles(const JobSheet& sheet, const Radians& radians);

}  // namespace asworn
