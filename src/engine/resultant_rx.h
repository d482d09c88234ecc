// SPDX-License-Identifier: Apache-2.0
#pragma once
// The compensated prescription: the vertex-compensated Rx as a power matrix in the frame of
// the eye's reference meridian, divided by the tilted lens's power factors, resolved back
// into sphere, minus cylinder and axis.

#include "compensation.h"
#include "eye_fields.h"
#include "job_sheet.h"

namespace asworn {

// Below this, sin θ·cos θ of the axis offset is taken as zero: see the .cpp.
inline constexpr double kPrincipalMeridianTolerance = 1e-12;

ResultantRx ComputeResultantRx(const JobSheet& sheet, Eye eye, const EyeAngles& angles,
                               const PowerFactors& factors, const VertexResult& vertex);

}  // namespace asworn
