// SPDX-License-Identifier: Apache-2.0
#pragma once
// --set FIELD=TEXT: replacing job sheet fields from the command line.

#include <string>
#include <vector>

#include "job_sheet.h"

namespace asworn::cli {

// "firstname, lastname, ..., wrap": the field names in job-sheet order.
std::string FieldNames();

// Applies each "FIELD=TEXT" in turn; the text may be empty and may hold '='.
// Throws std::invalid_argument naming the fault for a missing '=' or an unknown field.
void ApplyOverrides(JobSheet& sheet, const std::vector<std::string>& assignments);

}  // namespace asworn::cli
