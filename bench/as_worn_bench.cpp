// SPDX-License-Identifier: Apache-2.0
// Time of a Compute followed by the exact as-worn check of both eyes, and of the check alone.
#include <benchmark/benchmark.h>

#include "as_worn_input.h"
#include "busy_sheet.h"
#include "compensation_engine.h"
#include "ordered_ticket.h"

namespace {

using asworn::bench::BusySheet;

void BM_ComputeAndAsWornCheck(benchmark::State& state) {
  const asworn::JobSheet sheet = BusySheet();
  for (auto _ : state) {
    const asworn::ComputeOutcome outcome = asworn::Compute(sheet);
    benchmark::DoNotOptimize(asworn::optics::AsWornCheck(*outcome));
  }
}
BENCHMARK(BM_ComputeAndAsWornCheck);

// The window's Compute: the ticket, the lens the order gives and its check of both eyes.
void BM_ComputeOrderedTicket(benchmark::State& state) {
  const asworn::JobSheet sheet = BusySheet();
  const asworn::optics::OrderSettings settings{state.range(0)
                                                   ? asworn::optics::OrderChoice::exact
                                                   : asworn::optics::OrderChoice::ticketFormula,
                                               asworn::optics::WearConvention::frame};
  for (auto _ : state) {
    const asworn::ComputeOutcome outcome = asworn::Compute(sheet);
    benchmark::DoNotOptimize(asworn::ordering::OrderTicket(*outcome, settings, "."));
  }
}
BENCHMARK(BM_ComputeOrderedTicket)->ArgName("exact")->Arg(0)->Arg(1);

void BM_AsWornCheckBothEyes(benchmark::State& state) {
  const asworn::JobSheet sheet = BusySheet();
  const asworn::ComputeOutcome outcome = asworn::Compute(sheet);
  const asworn::optics::AsWornInput input = asworn::optics::AsWornInputOf(*outcome);
  for (auto _ : state) benchmark::DoNotOptimize(asworn::optics::AsWornCheck(input));
}
BENCHMARK(BM_AsWornCheckBothEyes);

}  // namespace
