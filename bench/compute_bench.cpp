// Time of one whole Compute, texts in and texts out, and of the lenient conversion.
#include <benchmark/benchmark.h>

#include "compensation_engine.h"
#include "parse_number.h"

namespace {

using asworn::Field;

void BM_ComputeDefaultJobSheet(benchmark::State& state) {
  const asworn::JobSheet sheet;
  for (auto _ : state) benchmark::DoNotOptimize(asworn::Compute(sheet));
}
BENCHMARK(BM_ComputeDefaultJobSheet);

void BM_ComputeBusyPrescription(benchmark::State& state) {
  asworn::JobSheet sheet;
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
  for (auto _ : state) benchmark::DoNotOptimize(asworn::Compute(sheet));
}
BENCHMARK(BM_ComputeBusyPrescription);

void BM_ParseLeadingNumber(benchmark::State& state) {
  const char* texts[] = {"13.0", " 1 3 . 5 mm", "-.25", "1.5E2", "abc", "+4.00"};
  for (auto _ : state)
    for (const char* t : texts) benchmark::DoNotOptimize(asworn::ParseLeadingNumber(t));
  state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_ParseLeadingNumber);

}  // namespace
