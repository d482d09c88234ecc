#pragma once
// The exact check of a ticket: each eye's lens as ordered, traced as worn, against the power
// the eye needs; and the order that would give that power exactly.

#include <optional>
#include <string>

#include "ansi_verdict.h"
#include "as_worn_power.h"
#include "power_matrix.h"
#include "wear_rotation.h"

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
};

struct EyeCheck {
  SphCylAxis required;    // the prescription at the fitted vertex distance
  SphCylAxis ordered;     // the ticket's order, axis in [0, 180)
  SphCylAxis worn;        // the ticket's order as worn
  SphCylAxis exactOrder;  // lens frame
  PowerMatrix requiredMatrix, wornMatrix, exactOrderMatrix;  // eye, eye, lens frame
  AnsiResult verdict;
  InducedPrism prism;
  double thicknessMm = 0;
};

// One eye's check, or why the lens cannot be traced as worn.
struct EyeCheckOutcome {
  std::optional<EyeCheck> check;
  std::string fault;
};

struct AsWornResult {
  EyeCheckOutcome od, os;
};

EyeCheck CheckEye(const EyeInput& input, double tiltDegrees, double wrapDegrees, Eye eye,
                  WearConvention convention = WearConvention::frame);

AsWornResult AsWornCheck(const AsWornInput& input);

}  // namespace asworn::optics
