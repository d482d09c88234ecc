// SPDX-License-Identifier: Apache-2.0
#pragma once
// Power factors of a lens worn tilted and wrapped (Martin's oblique-incidence formula):
// sagittal power F·(1 + sin²θ/2n), tangential power the sagittal over cos²θ.

#include "compensation.h"
#include "eye_fields.h"
#include "job_sheet.h"
#include "number_format.h"

namespace asworn {

// The index of `eye`, read strictly; an index that is not one number, or that the strict and
// the lenient reading would take differently, stops Compute.
double ReadLensIndex(const JobSheet& sheet, const NumberFormat& format, Eye eye);

// Reads each eye's index with the strict conversion; an index that is not a number stops
// Compute.
TiltFactors ComputeTiltFactors(const JobSheet& sheet, const Radians& radians,
                               const NumberFormat& format);

}  // namespace asworn
