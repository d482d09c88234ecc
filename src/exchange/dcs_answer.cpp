#include "dcs_answer.h"

#include <array>
#include <cmath>
#include <string_view>

#include "job_mapping.h"
#include "number_text.h"

namespace asworn::exchange {
namespace {

// Another vendor's "_AW..." label is theirs: only these are ours.
constexpr std::array<std::string_view, 21> kResultLabels{
    "LDDRSPH",     "LDDRCYL",     "LDDRAX",     "INSSPH",  "INSCYL",     "INSAX",      "LDPRVM",
    "LDPRVA",      "INSPRPRVM",   "INSPRPRVA",  "STATUS",  "XSTATUS",    "_AWREFSRC",  "_AWORDER",
    "_AWEXACTSPH", "_AWEXACTCYL", "_AWEXACTAX", "_AWANSI", "_AWWORNSPH", "_AWWORNCYL", "_AWWORNAX"};

// One eye's values as written; empty for an eye the job does not cover.
struct EyeAnswer {
  std::string sph, cyl, axis, inspectionAxis, prism, prismAngle;
};

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

std::string Axis(double degrees) {
  return FixedText(degrees, 0);
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
    if (label == result) return true;
  return false;
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
  const auto both = [&](auto member) { return Chiral(right.*member, left.*member); };

  records.push_back({"_AWREFSRC", Chiral(mapped.right ? mapped.rightRefractedFrom : "",
                                         mapped.left ? mapped.leftRefractedFrom : "")});
  records.push_back({"_AWORDER", options.exactOrder ? "EXACT" : "TICKET"});
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

  if (options.check) {
    const auto labels = [&](auto format) {
      return Chiral(mapped.right ? format(*check.right) : "",
                    mapped.left ? format(*check.left) : "");
    };
    records.push_back(
        {"_AWEXACTSPH", labels([](const AsWornLabels& l) { return FixedText(l.exactSph, 2); })});
    records.push_back(
        {"_AWEXACTCYL", labels([](const AsWornLabels& l) { return FixedText(l.exactCyl, 2); })});
    records.push_back(
        {"_AWEXACTAX", labels([](const AsWornLabels& l) { return Axis(l.exactAxis); })});
    records.push_back({"_AWANSI", labels([](const AsWornLabels& l) {
                         return std::string(l.withinAnsi ? "IN" : "OUT");
                       })});
    records.push_back(
        {"_AWWORNSPH", labels([](const AsWornLabels& l) { return FixedText(l.wornSph, 2); })});
    records.push_back(
        {"_AWWORNCYL", labels([](const AsWornLabels& l) { return FixedText(l.wornCyl, 2); })});
    records.push_back(
        {"_AWWORNAX", labels([](const AsWornLabels& l) { return Axis(l.wornAxis); })});
  }
  records.push_back({"STATUS", "0"});
  return {std::move(records), false};
}

}  // namespace asworn::exchange
