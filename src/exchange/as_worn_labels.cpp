// SPDX-License-Identifier: Apache-2.0
#include "as_worn_labels.h"

namespace asworn::exchange {
namespace {

std::optional<AsWornLabels> LabelsOf(const optics::EyeCheckOutcome& eye, const char* side,
                                     std::string& problem) {
  if (!eye.check) {
    if (problem.empty())
      problem = std::string(side) +
                " lens cannot be traced as worn: " + std::string(optics::FaultText(eye.fault));
    return std::nullopt;
  }
  const optics::EyeCheck& c = *eye.check;
  const optics::SphCylAxis exact = optics::RoundedOrder(c.exactOrder);
  return AsWornLabels{exact.sphere,  exact.cylinder,  exact.axis, c.verdict.Within(),
                      c.worn.sphere, c.worn.cylinder, c.worn.axis};
}

}  // namespace

AsWornCheckResult AsWornLabelsOf(const optics::AsWornResult& check) {
  AsWornCheckResult result;
  result.right = LabelsOf(check.od, "right", result.problem);
  result.left = LabelsOf(check.os, "left", result.problem);
  return result;
}

}  // namespace asworn::exchange
