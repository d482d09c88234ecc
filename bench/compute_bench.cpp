// SPDX-License-Identifier: Apache-2.0
// Time of one whole Compute, texts in and texts out, and of the lenient conversion.
#include <benchmark/benchmark.h>

#include "busy_sheet.h"
#include "compensation_engine.h"
#include "parse_number.h"

namespace {

void BM_ComputeDefaultJobSheet(benchmark::State& state) {
  const asworn::JobSheet sheet;
  for (auto _ : state) benchmark::DoNotOptimize(asworn::Compute(sheet));
}
BENCHMARK(BM_ComputeDefaultJobSheet);

void BM_ComputeBusyPrescription(benchmark::State& state) {
  const asworn::JobSheet sheet = asworn::bench::BusySheet();
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
