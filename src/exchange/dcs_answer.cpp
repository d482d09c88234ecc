#include "dcs_answer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "job_mapping.h"
#include "lab_defaults.h"
#include "near_zone.h"

namespace asworn::exchange {
namespace {

// Another vendor's "_AW..." label is theirs: only these are ours.
constexpr std::array<std::string_view, 23> kResultLabels{
    "LDDRSPH",    "LDDRCYL",  "LDDRAX",     "INSSPH",     "INSCYL",      "INSAX",
    "LDPRVM",     "LDPRVA",   "INSPRPRVM",  "INSPRPRVA",  "STATUS",      "XSTATUS",
    "_AWREFSRC",  "_AWORDER", "_AWDEFAULT", "_AWNEAR",    "_AWEXACTSPH", "_AWEXACTCYL",
    "_AWEXACTAX", "_AWANSI",  "_AWWORNSPH", "_AWWORNCYL", "_AWWORNAX"};

// One eye's values as written; empty for an eye the job does not cover.
struct EyeAnswer {
  std::string sph, cyl, axis, inspectionAxis, prism, prismAngle;
};

// An axis as the ticket writes it: a whole axis without decimals, else its one decimal.
std::string TicketAxis(double degrees) {
  return FormatDecimal(degrees, degrees == std::round(degrees) ? 0 : 1);
}

// Prism base as a 0-360 angle, both eyes in one frame: base in is 0 right, 180 left.
std::string BaseAngle(double signedPrism, Side side) {
  const bool baseIn = signedPrism >= 0;
  return (side == Side::right) == baseIn ? "0" : "180";
}

EyeAnswer FromLens(const CompensatedEye& eye, Side side) {
  return {FormatDecimal(eye.sph, 2),
          FormatDecimal(eye.cyl, 2),
          TicketAxis(eye.axis),
          FormatDecimal(eye.axis, 2),
          FormatDecimal(std::fabs(eye.prism), 2),
          BaseAngle(eye.prism, side)};
}

bool Finite(const AsWornLabels& l) {
  for (double value : {l.exactSph, l.exactCyl, l.exactAxis, l.wornSph, l.wornCyl, l.wornAxis})
    if (!std::isfinite(value)) return false;
  return true;
}

std::string Axis(double degrees) {
  return FormatDecimal(degrees, 0);
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

DcsAnswer Refusal(std::vector<DcsRecord> records, const std::vector<JobProblem>& problems) {
  records.push_back({"STATUS", "3"});
  for (const JobProblem& problem : problems)
    records.push_back({"XSTATUS", std::string(1, problem.side) + ";" +
                                      std::to_string(problem.code) + ";" + FieldText(problem.text) +
                                      ";E"});
  return {std::move(records), true};
}

}  // namespace

bool IsResultLabel(std::string_view label) {
  for (std::string_view result : kResultLabels)
    if (BareLabel(label) == result) return true;
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
    return Refusal(std::move(records), {{lens.fault->side, kComputeFault, lens.fault->message}});

  AsWornCheckResult check = lens.check;
  if (check.problem.empty() && (!check.right || !check.left || !lens.right || !lens.left))
    check.problem = "the as-worn check gave no result";
  if (check.problem.empty() && !(Finite(*check.right) && Finite(*check.left)))
    check.problem = "the as-worn check gave a number that is not finite";
  if (!check.problem.empty())
    return Refusal(std::move(records), {{'B', kAsWornCheckFault, check.problem}});

  EyeAnswer right = FromLens(*lens.right, Side::right);
  EyeAnswer left = FromLens(*lens.left, Side::left);
  if (!mapped.right) right = {};
  if (!mapped.left) left = {};
  const auto both = [&](auto member) { return Chiral(right.*member, left.*member); };

  records.push_back({"_AWREFSRC", Chiral(mapped.right ? mapped.rightRefractedFrom : "",
                                         mapped.left ? mapped.leftRefractedFrom : "")});
  records.push_back(
      {"_AWORDER", options.order.order == optics::OrderChoice::exact ? "EXACT" : "TICKET"});
  if (!defaulted.empty()) {
    std::string labels;
    for (const std::string& label : defaulted) labels += (labels.empty() ? "" : ",") + label;
    records.push_back({"_AWDEFAULT", labels});
  }
  if (HasAddition(job, mapped.right, mapped.left))
    records.push_back({"_AWNEAR", "NOT COMPENSATED"});
  records.push_back({"LDDRSPH", both(&EyeAnswer::sph)});
  records.push_back({"LDDRCYL", both(&EyeAnswer::cyl)});
  records.push_back({"LDDRAX", both(&EyeAnswer::axis)});
  records.push_back({"INSSPH", both(&EyeAnswer::sph)});
  records.push_back({"INSCYL", both(&EyeAnswer::cyl)});
  records.push_back({"INSAX", both(&EyeAnswer::inspectionAxis)});
  records.push_back({"LDPRVM", both(&EyeAnswer::prism)});
  records.push_back({"LDPRVA", both(&EyeAnswer::prismAngle)});
  records.push_back({"INSPRPRVM", both(&EyeAnswer::prism)});
  records.push_back({"INSPRPRVA", both(&EyeAnswer::prismAngle)});

  const auto labels = [&](auto format) {
    return Chiral(mapped.right ? format(*check.right) : "", mapped.left ? format(*check.left) : "");
  };
  records.push_back(
      {"_AWEXACTSPH", labels([](const AsWornLabels& l) { return FormatDecimal(l.exactSph, 2); })});
  records.push_back(
      {"_AWEXACTCYL", labels([](const AsWornLabels& l) { return FormatDecimal(l.exactCyl, 2); })});
  records.push_back(
      {"_AWEXACTAX", labels([](const AsWornLabels& l) { return TicketAxis(l.exactAxis); })});
  records.push_back({"_AWANSI", labels([](const AsWornLabels& l) {
                       return std::string(l.withinAnsi ? "IN" : "OUT");
                     })});
  records.push_back(
      {"_AWWORNSPH", labels([](const AsWornLabels& l) { return FormatDecimal(l.wornSph, 2); })});
  records.push_back(
      {"_AWWORNCYL", labels([](const AsWornLabels& l) { return FormatDecimal(l.wornCyl, 2); })});
  records.push_back({"_AWWORNAX", labels([](const AsWornLabels& l) { return Axis(l.wornAxis); })});
  records.push_back({"STATUS", "0"});
  return {std::move(records), false};
}

DcsAnswer UnreadJobAnswer(std::string_view fileName, std::string_view reason) {
  return Refusal({{"REQ", "LMS"}, {"JOB", FieldText(fileName)}},
                 {{'B', kInvalidParameter, std::string(reason)}});
}

}  // namespace asworn::exchange
