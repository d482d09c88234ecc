#include "dcs_answer.h"

#include <array>
#include <cmath>
#include <string_view>

#include "job_mapping.h"
#include "number_text.h"

namespace asworn::exchange {
namespace {

// One eye's values as written; empty for an eye the job does not cover.
struct EyeAnswer {
  std::string sph, cyl, axis, inspectionAxis, prism, prismAngle;
};

std::string Axis(double degrees) {
  return FixedText(degrees, 0);
}

// Every record an answer writes, in the order written; these labels, and no other vendor's
// "_AW...", are replaced when a job comes back with an earlier answer.
constexpr std::string_view kReferenceSource = "_AWREFSRC";
constexpr std::string_view kOrderKind = "_AWORDER";

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
    {"_AWEXACTSPH", [](const AsWornLabels& l) { return FixedText(l.exactSph, 2); }},
    {"_AWEXACTCYL", [](const AsWornLabels& l) { return FixedText(l.exactCyl, 2); }},
    {"_AWEXACTAX", [](const AsWornLabels& l) { return Axis(l.exactAxis); }},
    {"_AWANSI", [](const AsWornLabels& l) { return std::string(l.withinAnsi ? "IN" : "OUT"); }},
    {"_AWWORNSPH", [](const AsWornLabels& l) { return FixedText(l.wornSph, 2); }},
    {"_AWWORNCYL", [](const AsWornLabels& l) { return FixedText(l.wornCyl, 2); }},
    {"_AWWORNAX", [](const AsWornLabels& l) { return Axis(l.wornAxis); }},
}};

constexpr std::string_view kStatus = "STATUS";
constexpr std::string_view kProblem = "XSTATUS";

// A ticket number with at least `decimals` places; a ticket text with more keeps them all.
std::string TicketDecimal(const std::string& text, int decimals) {
  const DcsNumber number = ReadDcsNumber(text);
  if (!number.Known()) return text;
  const auto stop = number.text.find('.');
  const int has = stop == std::string::npos ? 0 : static_cast<int>(number.text.size() - stop - 1);
  return has <= decimals ? FixedText(number.value, decimals) : number.text;
}

// Prism base as a 0-360 angle, both eyes in one frame: base in is 0 right, 180 left.
std::string BaseAngle(double signedPrism, Side side) {
  const bool baseIn = signedPrism >= 0;
  return (side == Side::right) == baseIn ? "0" : "180";
}

EyeAnswer FromTicket(const CompensatedEye& eye, Side side) {
  const DcsNumber prism = ReadDcsNumber(eye.prism);
  return {TicketDecimal(eye.sph, 2),
          TicketDecimal(eye.cyl, 2),
          TicketDecimal(eye.axis, 0),
          TicketDecimal(eye.axis, 2),
          FixedText(std::fabs(prism.value), 2),
          BaseAngle(prism.value, side)};
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
// any result record of an earlier answer.
std::vector<DcsRecord> HandBack(const std::vector<DcsRecord>& job) {
  std::vector<DcsRecord> records;
  bool request = false;
  for (const DcsRecord& record : job) {
    if (IsResultLabel(record.label)) continue;
    if (record.label == "REQ" && !request) {
      records.push_back({"REQ", "LMS"});
      request = true;
      continue;
    }
    records.push_back(record);
  }
  if (!request) records.insert(records.begin(), {"REQ", "LMS"});
  return records;
}

DcsAnswer Refusal(std::vector<DcsRecord> records, const std::vector<JobProblem>& problems) {
  records.push_back({std::string(kStatus), "3"});
  for (const JobProblem& problem : problems)
    records.push_back({std::string(kProblem), std::string(1, problem.side) + ";" +
                                                  std::to_string(problem.code) + ";" +
                                                  FieldText(problem.text) + ";E"});
  return {std::move(records), true};
}

}  // namespace

bool IsResultLabel(std::string_view label) {
  for (const LensRecord& record : kLensRecords)
    if (label == record.label) return true;
  for (const CheckRecord& record : kCheckRecords)
    if (label == record.label) return true;
  return label == kReferenceSource || label == kOrderKind || label == kStatus || label == kProblem;
}

DcsAnswer AnswerJob(const std::vector<DcsRecord>& job, const AnswerOptions& options) {
  std::vector<DcsRecord> records = HandBack(job);
  const JobMapping mapping = MapJob(job, options.refractedVertex);
  if (!mapping.job) return Refusal(std::move(records), mapping.problems);
  const MappedJob& mapped = *mapping.job;

  const LensResult lens = ComputeLens(mapped.sheet);
  if (lens.fault)
    return Refusal(std::move(records), {{lens.fault->side, kComputeFault, lens.fault->message}});

  AsWornCheckResult check;
  if (options.check) {
    check = options.check(mapped.sheet, *lens.right, *lens.left);
    if (check.problem.empty() && (!check.right || !check.left))
      check.problem = "the as-worn check gave no result";
    if (check.problem.empty() && !(Finite(*check.right) && Finite(*check.left)))
      check.problem = "the as-worn check gave a number that is not finite";
    if (!check.problem.empty())
      return Refusal(std::move(records), {{'B', kAsWornCheckFault, check.problem}});
  } else if (options.exactOrder) {
    return Refusal(std::move(records),
                   {{'B', kAsWornCheckFault, "the exact order needs the as-worn check"}});
  }

  EyeAnswer right = FromTicket(*lens.right, Side::right);
  EyeAnswer left = FromTicket(*lens.left, Side::left);
  if (options.exactOrder) {
    for (auto [eye, labels] : {std::pair{&right, &*check.right}, std::pair{&left, &*check.left}}) {
      eye->sph = FixedText(labels->exactSph, 2);
      eye->cyl = FixedText(labels->exactCyl, 2);
      eye->axis = Axis(labels->exactAxis);
      eye->inspectionAxis = FixedText(std::round(labels->exactAxis), 2);
    }
  }
  if (!mapped.right) right = {};
  if (!mapped.left) left = {};

  records.push_back(
      {std::string(kReferenceSource), Chiral(mapped.right ? mapped.rightRefractedFrom : "",
                                             mapped.left ? mapped.leftRefractedFrom : "")});
  records.push_back({std::string(kOrderKind), options.exactOrder ? "EXACT" : "TICKET"});
  for (const LensRecord& record : kLensRecords)
    records.push_back({std::string(record.label), Chiral(right.*record.value, left.*record.value)});

  if (options.check)
    for (const CheckRecord& record : kCheckRecords)
      records.push_back(
          {std::string(record.label), Chiral(mapped.right ? record.text(*check.right) : "",
                                             mapped.left ? record.text(*check.left) : "")});
  records.push_back({std::string(kStatus), "0"});
  return {std::move(records), false};
}

}  // namespace asworn::exchange
