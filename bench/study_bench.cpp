// SPDX-License-Identifier: Apache-2.0
// One job of the study's grid, both readings of tilt and wrap: Compute once, then the three
// orders traced as worn under each. The whole grid is this times 442 320, over the cores.
#include <benchmark/benchmark.h>

#include "study_grid.h"

namespace {

void BM_StudyJobBothConventions(benchmark::State& state) {
  const std::vector<asworn::optics::WearConvention> both{asworn::optics::WearConvention::frame,
                                                         asworn::optics::WearConvention::head};
  const std::size_t size = asworn::study::StudyGridSize();
  std::size_t job = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        asworn::study::StudyJobVerdicts(asworn::study::StudyGridJob(job), both));
    job = (job + 7919) % size;  // a prime stride walks the whole grid
  }
}
BENCHMARK(BM_StudyJobBothConventions);

}  // namespace
