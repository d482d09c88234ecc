// SPDX-License-Identifier: Apache-2.0
#include "study_grid.h"

#include <algorithm>

#include "as_worn_input.h"
#include "compensation_engine.h"
#include "number_text.h"

namespace asworn::study {
namespace {

constexpr int kSpheres = 19;       // −10 to +8
constexpr int kCylinderAxes = 97;  // cylinder 0 with one axis, then 8 cylinders × 12 axes
constexpr int kTilts = 5;
constexpr int kWraps = 6;
constexpr double kIndices[] = {1.50, 1.59, 1.67, 1.74};
constexpr double kVertices[][2] = {{12, 12}, {13, 10}};

std::string Text(double value) {
  return NumberText(value);
}

OrderVerdict VerdictOf(const optics::EyeCheck& c) {
  return {!c.verdict.SphereWithin(), !c.verdict.CylinderWithin(), !c.verdict.AxisWithin(),
          c.verdict.matrixError};
}

}  // namespace

std::size_t StudyGridSize() {
  return std::size_t{kSpheres} * kCylinderAxes * kTilts * kWraps * std::size(kIndices) *
         std::size(kVertices);
}

StudyJob StudyGridJob(std::size_t index) {
  StudyJob job{};
  // The index read as a number of mixed radix, one digit a quantity.
  std::size_t rest = index;
  const auto take = [&rest](std::size_t count) {
    const std::size_t part = rest % count;
    rest /= count;
    return static_cast<int>(part);
  };
  const int vertex = take(std::size(kVertices));
  job.index = kIndices[take(std::size(kIndices))];
  job.wrap = 5.0 * take(kWraps);
  job.tilt = 5.0 * take(kTilts);
  const int cylinderAxis = take(kCylinderAxes);
  job.sphere = -10.0 + take(kSpheres);
  const int cylinderStep = cylinderAxis == 0 ? 0 : (cylinderAxis - 1) / 12 + 1;
  job.cylinder = -0.5 * cylinderStep + 0.0;  // no -0 in the CSV
  job.axis = cylinderAxis == 0 ? 0 : 15.0 * ((cylinderAxis - 1) % 12);
  job.refractedMm = kVertices[vertex][0];
  job.fittedMm = kVertices[vertex][1];
  job.baseCurve = VogelBaseCurve(job.sphere + job.cylinder / 2);
  return job;
}

double VogelBaseCurve(double se) {
  const double curve = RoundHalfEven((se >= 0 ? se + 6 : se / 2 + 6) * 2, 0) / 2;
  return std::clamp(curve, 0.5, 12.0);
}

std::vector<StudyVerdicts> StudyJobVerdicts(
    const StudyJob& job, const std::vector<optics::WearConvention>& conventions) {
  std::vector<StudyVerdicts> all(conventions.size());
  JobSheet sheet;
  const std::pair<Field, double> entries[] = {
      {Field::odsph, job.sphere},      {Field::odcyl, job.cylinder}, {Field::odaxis, job.axis},
      {Field::odbc, job.baseCurve},    {Field::odn, job.index},      {Field::oddiam, 70},
      {Field::odrvd, job.refractedMm}, {Field::odfvd, job.fittedMm}, {Field::tilt, job.tilt},
      {Field::wrap, job.wrap}};
  for (const auto& [field, value] : entries) sheet[field] = Text(value);
  const ComputeOutcome outcome = Compute(sheet);
  if (!outcome) return all;
  const optics::EyeInput asComputed = optics::AsWornInputOf(*outcome).od;
  for (std::size_t c = 0; c < conventions.size(); ++c) {
    optics::EyeInput eye = asComputed;
    const auto check = [&](optics::OrderChoice order) {
      return optics::CheckEye(eye, job.tilt, job.wrap, Eye::right, conventions[c], order);
    };
    try {
      std::array<OrderVerdict, kStudyOrders> verdicts;
      const optics::EyeCheck ticket = check(optics::OrderChoice::ticketFormula);
      verdicts[ticketFormulaOrder] = VerdictOf(ticket);
      verdicts[exactOrder] = VerdictOf(check(optics::OrderChoice::exact));
      eye.ordered = ticket.required;  // the prescription at the fitted distance, as it is
      verdicts[uncompensatedOrder] = VerdictOf(check(optics::OrderChoice::ticketFormula));
      all[c] = verdicts;
    } catch (const optics::TraceFault&) {
      // Left without verdicts: counted as not computed.
    }
  }
  return all;
}

}  // namespace asworn::study
