#include "as_worn_labels.h"

#include "as_worn_input.h"
#include "compensation_engine.h"

namespace asworn::exchange {
namespace {

std::optional<AsWornLabels> LabelsOf(const optics::EyeCheckOutcome& eye, const char* side,
                                     std::string& problem) {
  if (!eye.check) {
    if (problem.empty())
      problem = std::string(side) + " lens cannot be traced as worn: " + eye.fault;
    return std::nullopt;
  }
  const optics::EyeCheck& c = *eye.check;
  return AsWornLabels{c.exactOrder.sphere, c.exactOrder.cylinder, c.exactOrder.axis,
                      c.verdict.Within(),  c.worn.sphere,         c.worn.cylinder,
                      c.worn.axis};
}

}  // namespace

AsWornCheckResult CheckAsWorn(const JobSheet& sheet, const CompensatedEye&, const CompensatedEye&) {
  // The answer's sheet was accepted by Compute moments ago; computing it again gives the very
  // numbers the ticket's lens was made from, which the trace needs (thickness, as-read Rx).
  const ComputeOutcome outcome = Compute(sheet);
  AsWornCheckResult result;
  if (!outcome) {
    result.problem = "the job sheet no longer computes";
    return result;
  }
  const optics::AsWornResult traced = optics::AsWornCheck(*outcome);
  result.right = LabelsOf(traced.od, "right", result.problem);
  result.left = LabelsOf(traced.os, "left", result.problem);
  return result;
}

}  // namespace asworn::exchange
