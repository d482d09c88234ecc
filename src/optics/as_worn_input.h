#pragma once
// The one place where the check meets the ticket's Compute: the numbers it read from the job
// sheet and the order it made.

#include "as_worn_check.h"
#include "compensation_engine.h"

namespace asworn::optics {

// Reads the job sheet as Compute read it; only meaningful after a Compute that finished.
AsWornInput AsWornInputOf(const JobSheet& sheet, const Compensation& compensation);

AsWornResult AsWornCheck(const JobSheet& sheet, const Compensation& compensation);

}  // namespace asworn::optics
