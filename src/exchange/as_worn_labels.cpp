// SPDX-License-Identifier: Apache-2.0
#include "as_worn_labels.h"

#include "as_worn_wording.h"

namespace asworn::exchange {
namespace {

std::optional<AsWornLabels> LabelsOf(const optics::EyeCheckOutcome& eye, const char* side,
                                     optics::PowerStep step, std::string& problem) {
  if (!eye.check) {
    if (problem.empty())
      problem = std::string(side) +
                " lens cannot be traced as worn: " + std::string(optics::FaultText(eye.fault));
    return std::nullopt;
  }
  const optics::EyeCheck& c = *eye.check;
  const optics::SphCylAxis exact = optics::RoundedOrder(c.exactOrder, step);
  return AsWornLabels{
      exact.sphere,  exact.cylinder,  exact.axis,  c.verdict.Within(),
      c.worn.sphere, c.worn.cylinder, c.worn.axis, ordering::OutsideReasonAscii(c.verdict)};
}

}  // namespace

AsWornCheckResult AsWornLabelsOf(const optics::AsWornResult& check) {
  AsWornCheckResult result;
  result.right = LabelsOf(check.od, "right", check.settings.step, result.problem);
  result.left = LabelsOf(check.os, "left", check.settings.step, result.problem);
  result.pairOutside = ordering::ImbalanceOutsideAscii(check);
  return result;
}

}  // namespace asworn::exchange
