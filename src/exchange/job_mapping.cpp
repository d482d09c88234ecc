// SPDX-License-Identifier: Apache-2.0
#include "job_mapping.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "lens_units.h"
#include "number_text.h"

namespace asworn::exchange {
namespace {

// The tooling index DCS assumes for FRNT when a job gives no TIND.
constexpr double kAssumedCurveIndex = 1.530;
// A front curve above this is not a power (a radius in mm turns up in real files) and counts
// as absent.
constexpr double kMostPlausibleFrontCurve = 30;

// Every way a job may state a prescribed prism.
constexpr std::array<std::string_view, 6> kPrismLabels{"PRVM",  "PRVM1", "PRVM2",
                                                       "_PRVM", "PRVIN", "PRVUP"};

class JobReader {
 public:
  explicit JobReader(const std::vector<DcsRecord>& records) : records_(records) {}

  // One eye's number of `label`; a malformed one is reported and reads as unknown.
  DcsNumber EyeNumber(std::string_view label, Eye side) {
    const DcsRecord* record = FindRecord(records_, label);
    if (!record || !record->value) return {};
    DcsNumber number = ReadDcsNumber(EyeValue(*record->value, side));
    if (number.kind == DcsNumber::Kind::malformed) {
      Problem(side, kInvalidParameter,
              "Invalid Parameter: " + std::string(label) + "=" + *record->value);
      return {};
    }
    return number;
  }

  // Like EyeNumber, and a missing value is reported under `name`.
  DcsNumber Required(std::string_view label, Eye side, std::string_view name) {
    const std::size_t before = problems_.size();
    DcsNumber number = EyeNumber(label, side);
    if (!number.Known() && problems_.size() == before) Missing(side, name);
    return number;
  }

  // The value as text, without the blanks some writers put after the '='.
  std::string Text(std::string_view label) const {
    const DcsRecord* record = FindRecord(records_, label);
    if (!record || !record->value) return {};
    const std::string& value = *record->value;
    return value.substr(std::min(value.find_first_not_of(" \t"), value.size()));
  }
  bool Has(std::string_view label) const { return FindRecord(records_, label) != nullptr; }

  void Missing(Eye side, std::string_view name) {
    Problem(side, kMissingParameter, "Missing Required Parameter: " + std::string(name));
  }
  void Problem(std::optional<Eye> eye, int code, std::string text) {
    problems_.push_back({eye, code, std::move(text)});
  }
  std::vector<JobProblem>& Problems() { return problems_; }

 private:
  const std::vector<DcsRecord>& records_;
  std::vector<JobProblem> problems_;
};

// The base curve at 1.53: FRNT converted from its TIND, else MBASE as it stands.
std::optional<std::string> BaseCurve(JobReader& reader, Eye side) {
  const std::size_t before = reader.Problems().size();
  const DcsNumber front = reader.EyeNumber("FRNT", side);
  if (front.Known() && front.value > 0 && front.value <= kMostPlausibleFrontCurve) {
    const DcsNumber quoted = reader.EyeNumber("TIND", side);
    if (reader.Problems().size() != before) return std::nullopt;
    const double index = quoted.Known() ? quoted.value : kAssumedCurveIndex;
    if (index <= 1) {
      reader.Problem(side, kInvalidParameter, "Invalid Parameter: TIND=" + reader.Text("TIND"));
      return std::nullopt;
    }
    if (index == kBaseCurveIndex) return front.text;
    return ExactText(BaseCurveOf(front.value, index), ".", Exponent::never);
  }
  if (reader.Problems().size() != before) return std::nullopt;
  const DcsNumber nominal = reader.EyeNumber("MBASE", side);
  if (nominal.Known() && nominal.value > 0) return nominal.text;
  if (reader.Problems().size() == before) reader.Missing(side, "FRNT");
  return std::nullopt;
}

void MapEye(JobReader& reader, Eye side, std::optional<double> refractedVertex, MappedJob& job) {
  const EyeFields& fields = FieldsOf(side);
  JobSheet& sheet = job.sheet;

  const DcsNumber sph = reader.Required("SPH", side, "SPH");
  if (sph.Known()) sheet[fields.sph] = sph.text;

  const DcsNumber cyl = reader.EyeNumber("CYL", side);
  sheet[fields.cyl] = cyl.Known() ? cyl.text : "0";  // no CYL: a spherical lens, said so
  const DcsNumber axis = reader.EyeNumber("AX", side);
  if (axis.Known() && (axis.value < 0 || axis.value > 180)) {
    reader.Problem(side, kInvalidParameter, "Invalid Parameter: AX=" + reader.Text("AX"));
  } else if (axis.Known()) {
    sheet[fields.axis] = axis.text;
  } else if (cyl.Known() && cyl.value != 0) {
    reader.Missing(side, "AX");  // a cylinder without its axis
  } else {
    sheet[fields.axis] = "180";  // a lens without cylinder has no axis of its own
  }

  for (std::string_view label : kPrismLabels) {
    const DcsNumber prism = reader.EyeNumber(label, side);
    if (prism.Known() && prism.value != 0)
      reader.Problem(
          side, kPrescribedPrism,
          "Prescribed prism not supported: " + std::string(label) + "=" + reader.Text(label));
  }

  const DcsNumber index = reader.Required("LIND", side, "LIND");
  if (index.Known()) sheet[fields.n] = index.text;

  if (const std::optional<std::string> curve = BaseCurve(reader, side)) sheet[fields.bc] = *curve;

  const DcsNumber crib = reader.EyeNumber("CRIB", side);
  const DcsNumber blank = reader.EyeNumber("DIA", side);
  if (crib.Known() && crib.value > 0)
    sheet[fields.diam] = crib.text;
  else if (blank.Known() && blank.value > 0)
    sheet[fields.diam] = blank.text;
  else
    reader.Missing(side, "CRIB");

  const DcsNumber bvd = reader.EyeNumber("BVD", side);
  const DcsNumber fitted = bvd.Known() ? bvd : reader.EyeNumber("VBD", side);
  if (fitted.Known())
    sheet[fields.fvd] = fitted.text;
  else
    reader.Missing(side, "BVD");

  std::string& from = side == Eye::right ? job.rightRefractedFrom : job.leftRefractedFrom;
  const DcsNumber refracted = reader.EyeNumber("_REFBVD", side);
  if (refracted.Known()) {
    sheet[fields.rvd] = refracted.text;
    from = "JOB";
  } else if (refractedVertex) {
    sheet[fields.rvd] = ExactText(*refractedVertex, ".", Exponent::never);
    from = "OPTION";
  } else {
    sheet[fields.rvd] = sheet[fields.fvd];  // no vertex change
    from = "FITTED";
  }
}

// Tilt and wrap: one value on the job sheet, so the eyes of the job must agree.
void MapShared(JobReader& reader, std::string_view label, Field field, const MappedJob& job,
               JobSheet& sheet) {
  std::optional<DcsNumber> taken;
  bool differ = false;
  for (Eye side : {Eye::right, Eye::left}) {
    if ((side == Eye::right && !job.right) || (side == Eye::left && !job.left)) continue;
    const DcsNumber value = reader.Required(label, side, label);
    if (!value.Known()) continue;
    if (taken && taken->value != value.value) differ = true;
    if (!taken) taken = value;
  }
  if (differ)
    reader.Problem(std::nullopt, kEyesDiffer,
                   std::string(label) + " differs between the eyes: " + reader.Text(label));
  else if (taken)
    sheet[field] = taken->text;
}

}  // namespace

JobMapping MapJob(const std::vector<DcsRecord>& records, std::optional<double> refractedVertex) {
  JobReader reader(records);
  MappedJob job;

  const std::string eyes = reader.Text("DO");
  if (eyes == "R") {
    job.left = false;
  } else if (eyes == "L") {
    job.right = false;
  } else if (reader.Has("DO") && eyes != "B") {
    reader.Problem(std::nullopt, kInvalidParameter, "Invalid Parameter: DO=" + eyes);
  }

  job.sheet[Field::firstname] = reader.Text("_PATFNAME");
  job.sheet[Field::lastname] = reader.Text("_PATLNAME");
  job.sheet[Field::record] = reader.Has("JOB") ? reader.Text("JOB") : reader.Text("RXNM");

  if (job.right) MapEye(reader, Eye::right, refractedVertex, job);
  if (job.left) MapEye(reader, Eye::left, refractedVertex, job);
  MapShared(reader, "PANTO", Field::tilt, job, job.sheet);
  MapShared(reader, "ZTILT", Field::wrap, job, job.sheet);

  if (!reader.Problems().empty()) return {std::nullopt, std::move(reader.Problems())};
  return {std::move(job), {}};
}

}  // namespace asworn::exchange
