// SPDX-License-Identifier: Apache-2.0
#pragma once
// The words of a Compute fault, for the optician.

#include <string>
#include <string_view>
#include <vector>

#include "compute_fault.h"
#include "eye_fields.h"
#include "job_sheet.h"

namespace asworn {

std::string_view EyeName(Eye eye);  // "right" or "left"

// The optician's words for a fault, naming the fields and what they hold.
std::string FaultMessage(FaultKind kind, const std::vector<Field>& fields,
                         std::string_view quantity, const JobSheet& sheet);

// The words for a rounded result `value` of `quantity` beyond `limits`.
std::string LimitMessage(std::string_view quantity, double value, std::string_view limits,
                         const std::vector<Field>& fields, const JobSheet& sheet);

}  // namespace asworn
