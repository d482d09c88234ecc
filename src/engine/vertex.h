// SPDX-License-Identifier: Apache-2.0
#pragma once
// The prescription moved from the refracted to the fitted vertex distance,
// meridian by meridian: F' = F / (1 - d·F).

#include "compensation.h"
#include "eye_fields.h"
#include "job_sheet.h"

namespace asworn {

VertexResult CompensateVertex(const JobSheet& sheet, Eye eye);

}  // namespace asworn
