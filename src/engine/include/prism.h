// SPDX-License-Identifier: Apache-2.0
#pragma once
// Horizontal prism induced by wrapping a lens of some thickness about a vertical axis.

#include "job_sheet.h"

namespace asworn {

struct PrismOfOneEye {
  double sag;      // centre-to-edge thickness difference the sphere needs, mm, non-negative
  double seq;      // spherical equivalent
  double thick;    // estimated centre thickness, mm
  double bcpow;    // base-curve power in the lens material
  double prism;    // unrounded, prism dioptres
  double rounded;  // 2 decimals
};

struct Prism {
  PrismOfOneEye od;
  PrismOfOneEye os;
};

// Reads the lens fields leniently (an index of 1 stops Compute); uses the wrap but nothing
// of the compensated prescription.
Prism ComputePrism(const JobSheet& sheet);

}  // namespace asworn
