// SPDX-License-Identifier: Apache-2.0
#pragma once
// The study run: every Nth job of the grid on every core, its verdicts gathered per reading of
// tilt and wrap, and the Markdown table and CSV rows they give.

#include <QByteArray>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "study_grid.h"

namespace asworn::study {

struct JobResult {
  bool computed = false;
  std::array<OrderVerdict, kStudyOrders> verdicts{};
};

struct StudyResults {
  std::vector<optics::WearConvention> conventions;
  std::size_t every = 1;
  std::size_t jobs = 0;
  std::vector<std::vector<JobResult>> byConvention;  // [convention][job]
  bool interrupted = false;                          // Ctrl+C: the results are incomplete
};

// Studies every `every`-th job of the grid under each of `conventions` on `threads` threads
// (0: every core). SIGINT stops it; on a terminal, progress is shown on stderr meanwhile.
StudyResults RunStudyGrid(const std::vector<optics::WearConvention>& conventions, std::size_t every,
                          unsigned threads);

// The Markdown table: per reading and order, the share outside tolerance and the spread of
// the power-matrix error.
std::string StudyTable(const StudyResults& results);

// One CSV row per computed job and reading, under a header.
QByteArray StudyCsv(const StudyResults& results);

}  // namespace asworn::study
