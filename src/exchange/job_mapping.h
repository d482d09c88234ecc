// SPDX-License-Identifier: Apache-2.0
#pragma once
// From a DCS job to the job sheet that Compute reads. Only what the job states is used:
// a required value that is missing, unreadable or ambiguous is a problem, never a guess.

#include <optional>
#include <string>
#include <vector>

#include "dcs_records.h"
#include "eye_fields.h"
#include "job_sheet.h"

namespace asworn::exchange {

// One reason a job is refused; it becomes one XSTATUS record of the answer.
struct JobProblem {
  std::optional<Eye> eye;  // the eye the problem is of; none for the job as a whole
  int code;
  std::string text;

  friend bool operator==(const JobProblem&, const JobProblem&) = default;
};

inline constexpr int kMissingParameter = 1003;
inline constexpr int kInvalidParameter = 1004;
inline constexpr int kEyesDiffer = 1005;
inline constexpr int kPrescribedPrism = 1006;
inline constexpr int kComputeFault = 1010;
inline constexpr int kAsWornCheckFault = 1011;
// Warnings of an answered job (STATUS=0): a lens, or the pair, outside tolerance as worn.
inline constexpr int kLensOutsideAnsi = 1020;
inline constexpr int kPairOutsideAnsi = 1021;

struct MappedJob {
  JobSheet sheet;  // an eye the job does not cover keeps the start-up texts
  bool right = true;
  bool left = true;
  // Where each eye's refracted vertex came from: "JOB", "OPTION" or "FITTED".
  std::string rightRefractedFrom, leftRefractedFrom;
};

struct JobMapping {
  std::optional<MappedJob> job;      // set when there is no problem
  std::vector<JobProblem> problems;  // in the order the records are looked at
};

// `refractedVertex` (mm) stands in for a missing _REFBVD.
JobMapping MapJob(const std::vector<DcsRecord>& records, std::optional<double> refractedVertex);

}  // namespace asworn::exchange
