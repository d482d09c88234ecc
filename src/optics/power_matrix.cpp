// SPDX-License-Identifier: Apache-2.0
#include "power_matrix.h"

#include <cmath>

#include "lens_units.h"

namespace asworn::optics {

PowerMatrix ToPowerMatrix(const SphCylAxis& rx) {
  const Eigen::Vector2d m(-std::sin(rx.axis * kRadiansPerDegree),
                          std::cos(rx.axis * kRadiansPerDegree));
  return rx.sphere * PowerMatrix::Identity() + rx.cylinder * m * m.transpose();
}

SphCylAxis ToSphCylAxis(const PowerMatrix& f) {
  const double a = f(0, 0);
  const double b = f(1, 1);
  const double x = (f(0, 1) + f(1, 0)) / 2;
  const double r = std::hypot((a - b) / 2, x);
  const double axis = r == 0 ? 0 : NormalizedAxis(std::atan2(2 * x, a - b) / 2 / kRadiansPerDegree);
  return {(a + b) / 2 + r + 0.0, -2 * r + 0.0, axis};  // + 0.0: no −0 in reports
}

double MatrixDistance(const PowerMatrix& a, const PowerMatrix& b) {
  const PowerMatrix d = a - b;
  return std::sqrt(d(0, 0) * d(0, 0) + d(1, 1) * d(1, 1) +
                   2 * std::pow((d(0, 1) + d(1, 0)) / 2, 2));
}

double NormalizedAxis(double degrees) {
  double a = std::fmod(degrees, 180.0);
  if (a < 0) a += 180;
  if (a >= 180) a -= 180;  // a tiny negative value rounds to 180 when shifted
  return a + 0.0;          // no −0
}

double AxisDifference(double a, double b) {
  const double d = NormalizedAxis(a - b);
  return d > 90 ? 180 - d : d;
}

}  // namespace asworn::optics
