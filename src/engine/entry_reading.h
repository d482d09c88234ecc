// SPDX-License-Identifier: Apache-2.0
#pragma once
// Every entry read before the optics start, so that one Compute tells the optician about each
// entry it cannot use, not one per press.

#include "job_sheet.h"
#include "number_format.h"

namespace asworn {

// Reads each numeric entry in job-sheet order as Compute does, the lens index strictly. When
// any cannot be read or lies outside its range, stops Compute with one fault naming all of
// them in that order: its kind, quantity and first field those of the first, its message
// each one's own. A single such entry gives its own fault unchanged.
void ReadEveryEntry(const JobSheet& sheet, const NumberFormat& format);

}  // namespace asworn
