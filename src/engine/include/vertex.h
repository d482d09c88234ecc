// SPDX-License-Identifier: Apache-2.0
#pragma once
// The prescription moved from the refracted to the fitted vertex distance,
// meridian by meridian: F' = F / (1 - d·F).

#include "compute_fault.h"
#include "job_sheet.h"

namespace asworn {

struct VertexResult {
  double vgap;  // refracted minus fitted distance, mm; positive when fitted closer
  double vsph;  // sphere at the fitted distance
  double vcyl;  // cylinder at the fitted distance, same sign convention as entered
};

VertexResult CompensateVertex(const JobSheet& sheet, Eye eye);

}  // namespace asworn
