// SPDX-License-Identifier: Apache-2.0
#pragma once
// The answer to a DCS job: the job handed back unchanged with REQ=LMS, followed by the
// compensated lens as the lensmeter should read it, the compensating prism and STATUS=0, and a
// warning XSTATUS for each lens, and for the pair, outside tolerance as worn; or, when the job
// cannot be computed without guessing, STATUS=3 and one XSTATUS per problem.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dcs_records.h"
#include "job_sheet.h"
#include "lens_result.h"

namespace asworn::exchange {

// One Compute of a job's sheet: the lens the settings order and its as-worn check.
using LensMaker =
    std::function<LensResult(const JobSheet& sheet, const optics::OrderSettings& settings)>;

struct AnswerOptions {
  std::optional<double> refractedVertex;  // mm, for a job without _REFBVD
  // The lens to make (the exact order unless a lab asks for the ticket formula's), how tilt
  // and wrap are read, and the lab's step.
  optics::OrderSettings order{optics::OrderChoice::exact};
  LensMaker lens = ComputeLens;
  std::vector<DcsRecord> defaults{};  // the lab's house values (see lab_defaults.h)
};

struct DcsAnswer {
  std::vector<DcsRecord> records;
  bool refused = false;
};

// Labels this program writes into an answer; an input's own copies are dropped, never
// carried through.
bool IsResultLabel(std::string_view label);

DcsAnswer AnswerJob(const std::vector<DcsRecord>& job, const AnswerOptions& options);

// The answer to a job file that was not read (not a regular file, too large, not text): none
// of its content, only REQ=LMS, the file's name as JOB, STATUS=3 and XSTATUS giving `reason`.
DcsAnswer UnreadJobAnswer(std::string_view fileName, std::string_view reason);

}  // namespace asworn::exchange
