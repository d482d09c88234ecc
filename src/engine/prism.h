// SPDX-License-Identifier: Apache-2.0
#pragma once
// Horizontal prism induced by wrapping a lens of some thickness about a vertical axis.

#include "compensation.h"
#include "job_sheet.h"

namespace asworn {

// Reads the lens fields leniently (an index of 1 stops Compute); uses the wrap but nothing
// of the compensated prescription.
Prism ComputePrism(const JobSheet& sheet);

}  // namespace asworn
