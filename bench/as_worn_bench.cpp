// Time of a Compute followed by the exact as-worn check of both eyes, and of the check alone.
#include <benchmark/benchmark.h>

#include "as_worn_input.h"
#include "compensation_engine.h"

namespace {

using asworn::Field;

asworn::JobSheet BusySheet() {
  asworn::JobSheet sheet;
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

void BM_ComputeAndAsWornCheck(benchmark::State& state) {
  const asworn::JobSheet sheet = BusySheet();
  for (auto _ : state) {
    const asworn::ComputeOutcome outcome = asworn::Compute(sheet);
    benchmark::DoNotOptimize(asworn::optics::AsWornCheck(*outcome));
  }
}
BENCHMARK(BM_ComputeAndAsWornCheck);

void BM_AsWornCheckBothEyes(benchmark::State& state) {
  const asworn::JobSheet sheet = BusySheet();
  const asworn::ComputeOutcome outcome = asworn::Compute(sheet);
  const asworn::optics::AsWornInput input = asworn::optics::AsWornInputOf(*outcome);
  for (auto _ : state) benchmark::DoNotOptimize(asworn::optics::AsWornCheck(input));
}
BENCHMARK(BM_AsWornCheckBothEyes);

}  // namespace
