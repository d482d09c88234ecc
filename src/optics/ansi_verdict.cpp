// SPDX-License-Identifier: Apache-2.0
#include "ansi_verdict.h"

#include <array>
#include <cmath>
#include <utility>

namespace asworn::optics {
namespace {

// Powers come out of matrices and vertex transfers, never exactly on a quoted step: a value
// within this of a limit counts as on it, so "exactly at the tolerance" stays within.
constexpr double kSlack = 1e-9;

bool AtMost(double value, double limit) {
  return value <= limit + kSlack;
}

}  // namespace

double SphereTolerance(double requiredSphere) {
  const double s = std::abs(requiredSphere);
  return AtMost(s, 6.50) ? 0.13 : 0.02 * s;
}

double CylinderTolerance(double requiredCylinder) {
  const double c = std::abs(requiredCylinder);
  if (AtMost(c, 2.00)) return 0.13;
  if (AtMost(c, 4.50)) return 0.15;
  return 0.04 * c;
}

std::optional<double> AxisTolerance(double requiredCylinder) {
  const double c = std::abs(requiredCylinder);
  if (c < 0.12 - kSlack) return std::nullopt;
  constexpr std::array<std::pair<double, double>, 4> kSteps{
      {{0.25, 14}, {0.50, 7}, {0.75, 5}, {1.50, 3}}};
  for (const auto& [upTo, degrees] : kSteps)
    if (AtMost(c, upTo)) return degrees;
  return 2;
}

bool AnsiResult::SphereWithin() const {
  return AtMost(std::abs(sphereError), sphereTolerance);
}
bool AnsiResult::CylinderWithin() const {
  return AtMost(std::abs(cylinderError), cylinderTolerance);
}
bool AnsiResult::AxisWithin() const {
  return !axisTolerance || AtMost(*axisError, *axisTolerance);
}

AnsiResult AnsiVerdict(const PowerMatrix& worn, const PowerMatrix& required) {
  const SphCylAxis w = ToSphCylAxis(worn);
  const SphCylAxis q = ToSphCylAxis(required);
  AnsiResult r;
  r.sphereError = w.sphere - q.sphere;
  r.sphereTolerance = SphereTolerance(q.sphere);
  r.cylinderError = w.cylinder - q.cylinder;
  r.cylinderTolerance = CylinderTolerance(q.cylinder);
  r.axisTolerance = AxisTolerance(q.cylinder);
  if (r.axisTolerance) r.axisError = AxisDifference(w.axis, q.axis);
  r.matrixError = MatrixDistance(worn, required);
  return r;
}

}  // namespace asworn::optics
