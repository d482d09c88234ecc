// SPDX-License-Identifier: Apache-2.0
#pragma once
// A lab's house values for the fitting measurements it does not take for every job: pantoscopic
// tilt, wrap and the vertex distances. They stand in only for a label the job lacks, and the
// answer names each one used.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dcs_records.h"

namespace asworn::exchange {

struct LabDefaultsRead {
  std::optional<std::vector<DcsRecord>> records;  // bare labels, values as written
  std::string error;                              // why the file is refused
};

// The records of a defaults file ("PANTO=8", "BVD=13;13"), read by the job reader's rules.
// Only PANTO, ZTILT, BVD and _REFBVD may be given, once each, with a number for each eye.
LabDefaultsRead ReadLabDefaults(std::string_view bytes);

// The job with each default whose label it lacks (absent, or no eye's value known) added;
// `used` gets those labels in the defaults' order.
std::vector<DcsRecord> WithLabDefaults(const std::vector<DcsRecord>& job,
                                       const std::vector<DcsRecord>& defaults,
                                       std::vector<std::string>& used);

}  // namespace asworn::exchange
