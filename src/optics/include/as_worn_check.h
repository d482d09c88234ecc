// SPDX-License-Identifier: Apache-2.0
#pragma once
// The exact check of a ticket: each eye's lens as ordered, traced as worn, against the power
// the eye needs; and the order that would give that power exactly.

#include <optional>

#include "ansi_verdict.h"
#include "eye_fields.h"
#include "induced_prism.h"
#include "lens_order.h"
#include "optics_fault.h"
#include "power_matrix.h"

namespace asworn::optics {

// The numbers of one eye, as the ticket's Compute read and made them.
struct EyeInput {
  SphCylAxis prescription;  // at the refracted vertex distance
  double index = 1.5;
  double baseCurve = 0;    // D on the 1.53 scale
  double diameterMm = 70;  // the blank
  double refractedVertexMm = 13;
  double fittedVertexMm = 13;
  SphCylAxis ordered;        // the ticket's rounded compensated order
  double thicknessMm = 1.5;  // the centre thickness the ticket's prism used
};

struct AsWornInput {
  EyeInput od, os;
  double tiltDegrees = 0;
  double wrapDegrees = 0;
  WearConvention convention = WearConvention::frame;
  OrderChoice order = OrderChoice::ticketFormula;
  PowerStep step = PowerStep::hundredth;  // the exact order's
};

// ANSI Z80.1's limit of vertical prism imbalance of a mounted pair, prism dioptres.
inline constexpr double kVerticalImbalanceTolerance = 0.33;

struct EyeCheck {
  SphCylAxis required;    // the prescription at the fitted vertex distance
  SphCylAxis ordered;     // the lens on the ticket: the formula's, or the exact order as written
  SphCylAxis worn;        // the ticket's order as worn
  SphCylAxis exactOrder;  // lens frame
  PowerMatrix requiredMatrix, wornMatrix, exactOrderMatrix;  // eye, eye, lens frame
  AnsiResult verdict;
  InducedPrism prism;
  double compensatingPrism = 0;  // horizontal, base in positive, rounded: cancels prism.baseIn
  double thicknessMm = 0;
};

// One eye's check, or why the lens cannot be traced as worn.
struct EyeCheckOutcome {
  std::optional<EyeCheck> check;
  OpticsFault fault = OpticsFault::noFinitePower;  // why there is none; set without a check
};

struct AsWornResult {
  EyeCheckOutcome od, os;
  OrderSettings settings;                   // which lens was ordered, how tilt and wrap were read
  std::optional<double> verticalImbalance;  // |base up OD − base up OS|; both eyes traced

  bool VerticalImbalanceWithin() const {
    return !verticalImbalance || *verticalImbalance <= kVerticalImbalanceTolerance;
  }
};

// A lens as a lab writes it and a lensmeter checks it: sphere and cylinder to the lab's step,
// the axis in whole degrees from 1 to 180 (one that rounds to 0 is 180), and 180 for a lens
// whose cylinder rounds to nothing.
SphCylAxis RoundedOrder(const SphCylAxis& lens, PowerStep step = PowerStep::hundredth);

// The ticket's order as worn; with the exact order, the exact order as a lab writes it is the
// lens ordered. Throws TraceFault for a lens that cannot be traced.
EyeCheck CheckEye(const EyeInput& input, double tiltDegrees, double wrapDegrees, Eye eye,
                  WearConvention convention = WearConvention::frame,
                  OrderChoice order = OrderChoice::ticketFormula,
                  PowerStep step = PowerStep::hundredth);

AsWornResult AsWornCheck(const AsWornInput& input);

}  // namespace asworn::optics
