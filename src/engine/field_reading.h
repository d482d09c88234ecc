#pragma once
// How Compute reads a numeric field: leniently, but never by guessing. A text whose number
// is cut short or missing, or whose value lies outside the field's plausible range, stops
// the step that reads it.

#include "job_sheet.h"
#include "step_check.h"

namespace asworn {

// The value of `field` for the step of `check`. An empty field is 0; "PL" and "Plano" in a
// sphere or cylinder, and "DS" and "SPH" in a cylinder, are 0 too.
double ReadField(const StepCheck& check, const JobSheet& sheet, Field field);

// Stops the step when `value`, read from `field`, lies outside the field's range.
double InRange(const StepCheck& check, Field field, double value);

}  // namespace asworn
