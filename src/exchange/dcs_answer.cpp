// SPDX-License-Identifier: Apache-2.0
#include "dcs_answer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <tuple>

#include "job_mapping.h"
#include "lab_defaults.h"
#include "near_zone.h"
#include "number_text.h"

namespace asworn::exchange {
namespace {

// One eye's values as written; empty for an eye the job does not cover.
struct EyeAnswer {
  std::string sph, cyl, axis, inspectionAxis, prism, prismAngle;
};

// A lab's power: 2 decimals, 3 for an eighth step that needs them ("-1.125").
std::string Power(double dioptres) {
  std::string text = FixedText(dioptres, 3);
  if (text.ends_with('0')) text.pop_back();
  return text;
}

std::string Axis(double degrees) {
  return FixedText(degrees, 0);
}

// Every record an answer writes, in the order written; these labels, and no other vendor's
// "_AW...", are replaced when a job comes back with an earlier answer.
constexpr std::string_view kReferenceSource = "_AWREFSRC";
constexpr std::string_view kOrderKind = "_AWORDER";
constexpr std::string_view kDefaulted = "_AWDEFAULT";
constexpr std::string_view kNearZone = "_AWNEAR";

struct LensRecord {
  std::string_view label;
  std::string EyeAnswer::*value;
};
constexpr std::array<LensRecord, 10> kLensRecords{{
    {"LDDRSPH", &EyeAnswer::sph},
    {"LDDRCYL", &EyeAnswer::cyl},
    {"LDDRAX", &EyeAnswer::axis},
    {"INSSPH", &EyeAnswer::sph},
    {"INSCYL", &EyeAnswer::cyl},
    {"INSAX", &EyeAnswer::inspectionAxis},
    {"LDPRVM", &EyeAnswer::prism},
    {"LDPRVA", &EyeAnswer::prismAngle},
    {"INSPRPRVM", &EyeAnswer::prism},
    {"INSPRPRVA", &EyeAnswer::prismAngle},
}};

struct CheckRecord {
  std::string_view label;
  std::string (*text)(const AsWornLabels&);
};
constexpr std::array<CheckRecord, 7> kCheckRecords{{
    {"_AWEXACTSPH", [](const AsWornLabels& l) { return Power(l.exactSph); }},
    {"_AWEXACTCYL", [](const AsWornLabels& l) { return Power(l.exactCyl); }},
    {"_AWEXACTAX", [](const AsWornLabels& l) { return Axis(l.exactAxis); }},
    {"_AWANSI", [](const AsWornLabels& l) { return std::string(l.withinAnsi ? "IN" : "OUT"); }},
    {"_AWWORNSPH", [](const AsWornLabels& l) { return FixedText(l.wornSph, 2); }},
    {"_AWWORNCYL", [](const AsWornLabels& l) { return FixedText(l.wornCyl, 2); }},
    {"_AWWORNAX", [](const AsWornLabels& l) { return Axis(l.wornAxis); }},
}};

constexpr std::string_view kStatus = "STATUS";
constexpr std::string_view kProblem = "XSTATUS";

// Prism base as a 0-360 angle, both eyes in one frame: base in is 0 right, 180 left.
std::string BaseAngle(double signedPrism, Eye side) {
  const bool baseIn = signedPrism >= 0;
  return (side == Eye::right) == baseIn ? "0" : "180";
}

EyeAnswer FromLens(const CompensatedEye& eye, Eye side) {
  return {Power(eye.sph),
          Power(eye.cyl),
          Axis(eye.axis),
          FixedText(eye.axis, 2),
          FixedText(std::fabs(eye.prism), 2),
          BaseAngle(eye.prism, side)};
}

bool Finite(const AsWornLabels& l) {
  for (double value : {l.exactSph, l.exactCyl, l.exactAxis, l.wornSph, l.wornCyl, l.wornAxis})
    if (!std::isfinite(value)) return false;
  return true;
}

std::string Chiral(const std::string& right, const std::string& left) {
  return right + ";" + left;
}

// XSTATUS text: one field, so no ';', no line break, no double quote and ASCII only.
std::string FieldText(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == ';')
      out += ',';
    else if (c == '"')
      out += '\'';
    else if (c < 0x20 || c >= 0x7f)
      out += ' ';
    else
      out += static_cast<char>(c);
  }
  return out;
}

// The input as it came, with REQ=LMS in place of the first REQ (or in front) and without
// any result record of an earlier answer. Some systems write ANS where others write REQ.
std::vector<DcsRecord> HandBack(const std::vector<DcsRecord>& job) {
  std::vector<DcsRecord> records;
  bool request = false;
  for (const DcsRecord& record : job) {
    if (IsResultLabel(record.label)) continue;
    const std::string_view label = BareLabel(record.label);
    if ((label == "REQ" || label == "ANS") && !request) {
      records.push_back({"REQ", "LMS"});
      request = true;
      continue;
    }
    records.push_back(record);
  }
  if (!request) records.insert(records.begin(), {"REQ", "LMS"});
  return records;
}

// The side an XSTATUS names: R or L, B for both eyes or the job as a whole.
char EyeLetter(std::optional<Eye> eye) {
  if (!eye) return 'B';
  return *eye == Eye::right ? 'R' : 'L';
}

// One XSTATUS per problem, after STATUS: 'E' for an error, 'W' for a warning.
void AddProblems(std::vector<DcsRecord>& records, const std::vector<JobProblem>& problems,
                 char severity) {
  for (const JobProblem& problem : problems)
    records.push_back({std::string(kProblem), std::string(1, EyeLetter(problem.eye)) + ";" +
                                                  std::to_string(problem.code) + ";" +
                                                  FieldText(problem.text) + ";" + severity});
}

DcsAnswer Refusal(std::vector<DcsRecord> records, const std::vector<JobProblem>& problems) {
  records.push_back({std::string(kStatus), "3"});
  AddProblems(records, problems, 'E');
  return {std::move(records), true};
}

// What an LMS must act on though the lens is made: each lens of the job, and the pair, that is
// outside tolerance as worn.
std::vector<JobProblem> Warnings(const AsWornCheckResult& check, const MappedJob& job) {
  constexpr std::string_view kOutside = "Outside ANSI Z80.1 as worn: ";
  std::vector<JobProblem> warnings;
  for (const auto& [side, covered, eye] : {std::tuple{Eye::right, job.right, &check.right},
                                           std::tuple{Eye::left, job.left, &check.left}})
    if (covered && !(*eye)->outside.empty())
      warnings.push_back({side, kLensOutsideAnsi, std::string(kOutside) + (*eye)->outside});
  if (job.right && job.left && !check.pairOutside.empty())
    warnings.push_back({std::nullopt, kPairOutsideAnsi, std::string(kOutside) + check.pairOutside});
  return warnings;
}

}  // namespace

bool IsResultLabel(std::string_view label) {
  const std::string_view bare = BareLabel(label);
  for (const LensRecord& record : kLensRecords)
    if (bare == record.label) return true;
  for (const CheckRecord& record : kCheckRecords)
    if (bare == record.label) return true;
  for (std::string_view ours :
       {kReferenceSource, kOrderKind, kDefaulted, kNearZone, kStatus, kProblem})
    if (bare == ours) return true;
  return false;
}

DcsAnswer AnswerJob(const std::vector<DcsRecord>& job, const AnswerOptions& options) {
  std::vector<DcsRecord> records = HandBack(job);
  std::vector<std::string> defaulted;
  JobMapping mapping =
      options.defaults.empty()
          ? MapJob(job, options.refractedVertex)
          : MapJob(WithLabDefaults(job, options.defaults, defaulted), options.refractedVertex);
  if (!mapping.job) return Refusal(std::move(records), mapping.problems);
  MappedJob mapped = std::move(*mapping.job);
  if (std::find(defaulted.begin(), defaulted.end(), "_REFBVD") != defaulted.end())
    for (std::string* from : {&mapped.rightRefractedFrom, &mapped.leftRefractedFrom})
      if (*from == "JOB") *from = "DEFAULT";

  const LensResult lens = options.lens(mapped.sheet, options.order);
  if (lens.fault)
    return Refusal(std::move(records), {{lens.fault->eye, kComputeFault, lens.fault->message}});

  AsWornCheckResult check = lens.check;
  if (check.problem.empty() && (!check.right || !check.left || !lens.right || !lens.left))
    check.problem = "the as-worn check gave no result";
  if (check.problem.empty() && !(Finite(*check.right) && Finite(*check.left)))
    check.problem = "the as-worn check gave a number that is not finite";
  if (!check.problem.empty())
    return Refusal(std::move(records), {{std::nullopt, kAsWornCheckFault, check.problem}});

  EyeAnswer right = FromLens(*lens.right, Eye::right);
  EyeAnswer left = FromLens(*lens.left, Eye::left);
  if (!mapped.right) right = {};
  if (!mapped.left) left = {};

  records.push_back(
      {std::string(kReferenceSource), Chiral(mapped.right ? mapped.rightRefractedFrom : "",
                                             mapped.left ? mapped.leftRefractedFrom : "")});
  records.push_back({std::string(kOrderKind),
                     options.order.order == optics::OrderChoice::exact ? "EXACT" : "TICKET"});
  if (!defaulted.empty()) {
    std::string labels;
    for (const std::string& label : defaulted) labels += (labels.empty() ? "" : ",") + label;
    records.push_back({std::string(kDefaulted), labels});
  }
  if (HasAddition(job, mapped.right, mapped.left))
    records.push_back({std::string(kNearZone), "NOT COMPENSATED"});
  for (const LensRecord& record : kLensRecords)
    records.push_back({std::string(record.label), Chiral(right.*record.value, left.*record.value)});
  for (const CheckRecord& record : kCheckRecords)
    records.push_back(
        {std::string(record.label), Chiral(mapped.right ? record.text(*check.right) : "",
                                           mapped.left ? record.text(*check.left) : "")});
  records.push_back({std::string(kStatus), "0"});
  AddProblems(records, Warnings(check, mapped), 'W');
  return {std::move(records), false};
}

DcsAnswer UnreadJobAnswer(std::string_view fileName, std::string_view reason) {
  return Refusal({{"REQ", "LMS"}, {"JOB", FieldText(fileName)}},
                 {{std::nullopt, kInvalidParameter, std::string(reason)}});
}

}  // namespace asworn::exchange
