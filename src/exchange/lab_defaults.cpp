// SPDX-License-Identifier: Apache-2.0
#include "lab_defaults.h"

#include <algorithm>
#include <array>

namespace asworn::exchange {
namespace {

constexpr std::array<std::string_view, 4> kDefaultable{"PANTO", "ZTILT", "BVD", "_REFBVD"};

bool Lacks(const std::vector<DcsRecord>& job, std::string_view label) {
  const DcsRecord* record = FindRecord(job, label);
  if (!record || !record->value) return true;
  for (Eye side : {Eye::right, Eye::left})
    if (ReadDcsNumber(EyeValue(*record->value, side)).kind != DcsNumber::Kind::unknown)
      return false;
  return true;
}

}  // namespace

LabDefaultsRead ReadLabDefaults(std::string_view bytes) {
  std::vector<DcsRecord> records;
  for (const DcsRecord& record : ReadDcs(bytes)) {
    const std::string label(BareLabel(record.label));
    if (std::find(kDefaultable.begin(), kDefaultable.end(), label) == kDefaultable.end())
      return {std::nullopt,
              "\"" + label + "\" cannot be a default; only PANTO, ZTILT, BVD and _REFBVD can"};
    if (FindRecord(records, label)) return {std::nullopt, label + " is given twice"};
    const std::string value = record.value.value_or("");
    for (Eye side : {Eye::right, Eye::left})
      if (!ReadDcsNumber(EyeValue(value, side)).Known())
        return {std::nullopt, std::string(record.label)
                                  .append("=")
                                  .append(value)
                                  .append(" is not a number for each eye")};
    records.push_back({label, value});
  }
  return {std::move(records), {}};
}

std::vector<DcsRecord> WithLabDefaults(const std::vector<DcsRecord>& job,
                                       const std::vector<DcsRecord>& defaults,
                                       std::vector<std::string>& used) {
  std::vector<DcsRecord> records = job;
  for (const DcsRecord& fallback : defaults) {
    if (!Lacks(job, fallback.label)) continue;
    // In front, so that it is found before an empty record of the job.
    records.insert(records.begin(), fallback);
    used.push_back(fallback.label);
  }
  return records;
}

}  // namespace asworn::exchange
