// SPDX-License-Identifier: Apache-2.0
#pragma once
// A busy job: both eyes astigmatic, mixed indices and base curves, unequal vertex distances,
// tilt and wrap — the case the benchmarks time besides the start-up sheet.

#include "job_sheet.h"

namespace asworn::bench {

inline JobSheet BusySheet() {
  JobSheet sheet;
  sheet[Field::firstname] = "Margarethe";
  sheet[Field::lastname] = "Vandenberghe-Oosterhuis";
  sheet[Field::record] = "A-2026-118734";
  sheet[Field::odsph] = "-6.25";
  sheet[Field::odcyl] = "-2.75";
  sheet[Field::odaxis] = "173";
  sheet[Field::ossph] = "+3.50";
  sheet[Field::oscyl] = "+1.25";
  sheet[Field::osaxis] = "12";
  sheet[Field::odn] = "1.67";
  sheet[Field::osn] = "1.74";
  sheet[Field::odbc] = "4.25";
  sheet[Field::osbc] = "6.50";
  sheet[Field::oddiam] = "65";
  sheet[Field::odrvd] = "14.0";
  sheet[Field::odfvd] = "10.5";
  sheet[Field::osrvd] = "12.0";
  sheet[Field::osfvd] = "15.5";
  sheet[Field::tilt] = "12.5";
  sheet[Field::wrap] = "18";
  return sheet;
}

}  // namespace asworn::bench
