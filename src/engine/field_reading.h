// SPDX-License-Identifier: Apache-2.0
#pragma once
// How Compute reads a numeric field: leniently, but never by guessing. A text whose number
// is cut short or missing, or whose value lies outside the field's plausible range, stops
// the step that reads it.

#include <array>
#include <optional>
#include "job_sheet.h"
#include "number_format.h"
#include "step_check.h"

namespace asworn {

// The value of `field` for the step of `check`. An empty field, or one of blanks only, stops
// the step; "PL" and "Plano" in a sphere or cylinder, and "DS" and "SPH" in a cylinder, are 0.
// A decimal comma reads as the recorder's number format allows (see WithFullStop); without a
// recorder only the full stop is a decimal point.
double ReadField(const StepCheck& check, const JobSheet& sheet, Field field);

// The value noted for `field` by the recorder of this thread; none without one.
std::optional<double> NotedReading(Field field);

// The number format texts are read in on this thread: the recorder's, or full stops only.
const NumberFormat& ReadingFormat();

// Stops the step when `value`, read from `field`, lies outside the field's range; otherwise
// notes it as the value of the field for the recorder of this thread, if any.
double InRange(const StepCheck& check, Field field, double value);

// While one lives, every value read on this thread is noted in `values` by field, a field
// read again gives its noted value without reading the text anew, and texts are read in the
// user's number `format`.
class ReadingRecorder {
 public:
  ReadingRecorder(std::array<std::optional<double>, kFieldCount>& values,
                  const NumberFormat& format);
  ~ReadingRecorder();
  ReadingRecorder(const ReadingRecorder&) = delete;
  ReadingRecorder& operator=(const ReadingRecorder&) = delete;

 private:
  std::array<std::optional<double>, kFieldCount>* previous_;
  const NumberFormat* previousFormat_;
};

}  // namespace asworn
