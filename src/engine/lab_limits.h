// SPDX-License-Identifier: Apache-2.0
#pragma once
// The last check of Compute: a ticket only for lenses a lab can make. Entries inside their
// ranges can still combine into a compensated power or a wrap prism beyond any lens blank.

#include "compensation.h"
#include "eye_fields.h"
#include "job_sheet.h"

namespace asworn {

// Stops Compute when the rounded sphere, or sphere plus cylinder, of `eye` lies beyond the
// compensated power limit.
void CheckCompensatedPower(const JobSheet& sheet, Eye eye, const RoundedRx& rx);

// Stops Compute when a rounded prism lies beyond the prism limit.
void CheckPrism(const JobSheet& sheet, Eye eye, const PrismOfOneEye& prism);

}  // namespace asworn
