// SPDX-License-Identifier: Apache-2.0
#pragma once
// The values a job sheet can sensibly hold. Compute refuses anything outside, so that a
// typing slip ("135" for 13.5 mm, "270" for an axis) stops it instead of making a lens.

#include <array>
#include <string_view>

#include "job_sheet.h"

namespace asworn {

struct PlausibleRange {
  Field field;
  double low, high;       // inclusive
  std::string_view text;  // as the optician reads it: "-30 to +30 D"
};

// Every numeric field, in canonical order.
extern const std::array<PlausibleRange, 18> kPlausibleRanges;

// The range of a numeric field; nullptr for the names and the record number.
const PlausibleRange* RangeOf(Field field);

// What a lab can make: Compute refuses a ticket whose rounded results lie beyond these.
enum class Result { compensatedPower, prism };
struct ResultLimit {
  Result result;
  double low, high;  // inclusive
  std::string_view text;
};
extern const std::array<ResultLimit, 2> kResultLimits;
const ResultLimit& LimitOf(Result result);

}  // namespace asworn
