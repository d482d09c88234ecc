#pragma once
// The answer to a DCS job: the job handed back unchanged with REQ=LMS, followed by the
// compensated lens as the lensmeter should read it, the compensating prism and STATUS=0; or,
// when the job cannot be computed without guessing, STATUS=3 and one XSTATUS per problem.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dcs_records.h"
#include "job_sheet.h"
#include "lens_result.h"

namespace asworn::exchange {

// One eye's exact as-worn check.
struct AsWornLabels {
  double exactSph = 0, exactCyl = 0, exactAxis = 0;  // the exact compensated order
  bool withinAnsi = false;                           // the ticket's order within ANSI tolerance
  double wornSph = 0, wornCyl = 0, wornAxis = 0;     // what the ticket's lens gives as worn
};

struct AsWornCheckResult {
  std::optional<AsWornLabels> right, left;
  std::string problem;  // why the check failed; empty when it did not
};

// Runs the exact as-worn check on a job sheet that Compute has accepted, given the ticket's
// compensated lens of each eye.
using ExactCheck = std::function<AsWornCheckResult(
    const JobSheet& sheet, const CompensatedEye& right, const CompensatedEye& left)>;

struct AnswerOptions {
  std::optional<double> refractedVertex;  // mm, for a job without _REFBVD
  bool exactOrder = false;                // write the exact order as the lens to make
  ExactCheck check;                       // none: the as-worn labels are left out
};

struct DcsAnswer {
  std::vector<DcsRecord> records;
  bool refused = false;
};

// Labels this program writes into an answer; an input's own copies are dropped, never
// carried through.
bool IsResultLabel(std::string_view label);

DcsAnswer AnswerJob(const std::vector<DcsRecord>& job, const AnswerOptions& options);

}  // namespace asworn::exchange
