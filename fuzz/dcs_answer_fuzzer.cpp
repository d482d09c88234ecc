// SPDX-License-Identifier: Apache-2.0
// Answering any job file. The reader and the answer never throw; the answer hands back every
// record of the job that is not a result, in order, with REQ=LMS; it holds STATUS once, last
// when the job was answered, and every record it adds is printable ASCII; an answered job
// carries the lens values of each eye it covers, and the same job gives the same answer.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "dcs_answer.h"
#include "dcs_records.h"
#include "fuzz_support.h"

namespace {

using asworn::exchange::DcsRecord;
using asworn::fuzzing::Broken;

bool PrintableAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c < 0x20 || c >= 0x7f) return false;
  return true;
}

void Check(const std::vector<DcsRecord>& job, std::string_view input) {
  namespace ex = asworn::exchange;
  const ex::DcsAnswer answer = ex::AnswerJob(job, {});
  std::vector<DcsRecord> handed, kept;
  bool request = false;
  for (const DcsRecord& record : job) {
    if (ex::IsResultLabel(record.label)) continue;
    const std::string_view label = ex::BareLabel(record.label);
    if ((label == "REQ" || label == "ANS") && !request) {
      handed.push_back({"REQ", "LMS"});
      request = true;
      continue;
    }
    handed.push_back(record);
  }
  if (!request) handed.insert(handed.begin(), {"REQ", "LMS"});
  int statuses = 0;
  for (const DcsRecord& record : answer.records) {
    if (!ex::IsResultLabel(record.label)) {
      kept.push_back(record);
      continue;
    }
    statuses += record.label == "STATUS";
    if (!record.value || !PrintableAscii(record.label) || !PrintableAscii(*record.value))
      Broken("a result record that is not printable ASCII: " + record.label, input);
  }
  if (kept != handed) Broken("the job's records do not come back unchanged and in order", input);
  if (statuses != 1) Broken("not exactly one STATUS", input);
  if (!answer.refused) {
    if (answer.records.back() != DcsRecord{"STATUS", "0"}) Broken("STATUS=0 is not last", input);
    const DcsRecord* sph = ex::FindRecord(answer.records, "LDDRSPH");
    const DcsRecord* eyes = ex::FindRecord(job, "DO");
    std::string covers = eyes && eyes->value ? *eyes->value : "B";
    covers.erase(0, covers.find_first_not_of(" \t"));  // blanks after the '=' are no data
    if (!sph || !sph->value || sph->value->find(';') == std::string::npos)
      Broken("an answer without both eyes' LDDRSPH", input);
    for (asworn::Eye side : {asworn::Eye::right, asworn::Eye::left}) {
      const bool covered = covers == "B" || covers == (side == asworn::Eye::right ? "R" : "L");
      if (covered != ex::ReadDcsNumber(ex::EyeValue(*sph->value, side)).Known())
        Broken("LDDRSPH does not match the eyes of the job", input);
    }
  }
  if (ex::AnswerJob(job, {}).records != answer.records) Broken("a second answer differs", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    Check(asworn::exchange::ReadDcs(bytes), bytes);
  } catch (const std::exception& e) {
    Broken(std::string("the answer threw: ") + e.what(), bytes);
  }
  return 0;
}
