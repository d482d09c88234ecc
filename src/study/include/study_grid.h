// SPDX-License-Identifier: Apache-2.0
#pragma once
// The grid of realistic right-eye jobs behind the README's figures, and one job's verdicts for
// three orders: the ticket formula's, the exact order, and no compensation for tilt and wrap.

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "lens_order.h"

namespace asworn::study {

struct StudyJob {
  double sphere, cylinder, axis, tilt, wrap, index, refractedMm, fittedMm, baseCurve;
};

// Spheres −10 to +8 D by 1, cylinders 0 to −4 D by 0.5, axes 0–165° by 15 (one axis without
// cylinder), tilt 0–20° by 5, wrap 0–25° by 5, indices 1.50/1.59/1.67/1.74, vertex 12/12 and
// 13/10 mm, base curve by Vogel's rule, 70 mm blanks.
std::size_t StudyGridSize();
StudyJob StudyGridJob(std::size_t index);

// Vogel's rule on the spherical equivalent: SE + 6 from 0 up, SE/2 + 6 below, to the nearest
// 0.5 D with halves to even, kept within 0.5–12 D.
double VogelBaseCurve(double sphericalEquivalent);

enum StudyOrder : std::size_t { ticketFormulaOrder, exactOrder, uncompensatedOrder };
inline constexpr std::size_t kStudyOrders = 3;

struct OrderVerdict {
  bool sphereOut = false, cylinderOut = false, axisOut = false;
  double matrixError = 0;  // D
  bool Out() const { return sphereOut || cylinderOut || axisOut; }
};

using StudyVerdicts = std::optional<std::array<OrderVerdict, kStudyOrders>>;

// The job's verdict for each order, as worn under each of `conventions` (one Compute for
// all); none for a reading where Compute refuses the job or its lens cannot be traced.
std::vector<StudyVerdicts> StudyJobVerdicts(const StudyJob& job,
                                            const std::vector<optics::WearConvention>& conventions);

}  // namespace asworn::study
