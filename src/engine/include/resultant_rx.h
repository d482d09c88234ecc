// SPDX-License-Identifier: Apache-2.0
#pragma once
// The compensated prescription: the vertex-compensated Rx as a power matrix in the frame of
// the eye's reference meridian, divided by the tilted lens's power factors, resolved back
// into sphere, minus cylinder and axis.

#include "angles.h"
#include "compute_fault.h"
#include "job_sheet.h"
#include "tilt_factors.h"
#include "vertex.h"

namespace asworn {

struct ResultantRx {
  double m11, m22, m12;  // power matrix after division by the factors
  double trace, det;
  double sphere;    // unrounded, the larger principal power
  double cylinder;  // unrounded, never positive
  double alpha;     // axis in the reference frame, degrees
  double axis;      // unrounded, in the eye frame, 0 to 180
};

struct RoundedRx {
  double sphere;    // 2 decimals
  double cylinder;  // 2 decimals
  double axis;      // 1 decimal
};

// Below this, sin θ·cos θ of the axis offset is taken as zero: see the .cpp.
inline constexpr double kPrincipalMeridianTolerance = 1e-12;

ResultantRx ComputeResultantRx(const JobSheet& sheet, Eye eye, const EyeAngles& angles,
                               const PowerFactors& factors, const VertexResult& vertex);

}  // namespace asworn
