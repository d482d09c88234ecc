// SPDX-License-Identifier: Apache-2.0
#include "toric_back.h"

#include <cmath>

namespace asworn::optics {

ToricBack::ToricBack(const PowerMatrix& curvature) {
  const double mean = (curvature(0, 0) + curvature(1, 1)) / 2;
  const double xy = (curvature(0, 1) + curvature(1, 0)) / 2;
  const double r = std::hypot((curvature(0, 0) - curvature(1, 1)) / 2, xy);
  c1_ = mean + r;
  c2_ = mean - r;
  // For a concave back c1 is the flatter meridian; the sweep radius is 1/c1 either way.
  const double phi = r == 0 ? 0 : std::atan2(2 * xy, curvature(0, 0) - curvature(1, 1)) / 2;
  cosPhi_ = std::cos(phi);
  sinPhi_ = std::sin(phi);
}

SagDerivatives ToricBack::At(double x, double y) const {
  const double c = cosPhi_, s = sinPhi_;
  const double u = x * c + y * s;
  const double v = -x * s + y * c;

  // The circle of curvature c2 across the sweep, written so that c2 = 0 stays finite.
  const double qv = std::sqrt(1 - c2_ * c2_ * v * v);
  const double g = c2_ * v * v / (1 + qv);
  const double g1 = c2_ * v / qv;
  const double g2 = c2_ / (qv * qv * qv);

  // The swept circle's curvature along u depends on how far the v circle has left the pole.
  const double ce = c1_ / (1 - c1_ * g);
  const double ce1 = ce * ce * g1;
  const double ce2 = 2 * ce * ce * ce * g1 * g1 + ce * ce * g2;

  const double qu = std::sqrt(1 - ce * ce * u * u);
  const double qu3 = qu * qu * qu;
  const double h = ce * u * u / (1 + qu);
  const double hu = ce * u / qu;
  const double huu = ce / qu3;
  const double hc = u * u / (qu * (1 + qu));
  const double huc = u / qu3;
  const double hcc = ce * u * u * u * u * (1 + 2 * qu) / (qu3 * (1 + qu) * (1 + qu));

  const double su = hu;
  const double sv = g1 + hc * ce1;
  const double suu = huu;
  const double suv = huc * ce1;
  const double svv = g2 + hcc * ce1 * ce1 + hc * ce2;

  SagDerivatives d;
  d.sag = g + h;
  d.sx = su * c - sv * s;
  d.sy = su * s + sv * c;
  d.sxx = suu * c * c - 2 * suv * c * s + svv * s * s;
  d.syy = suu * s * s + 2 * suv * c * s + svv * c * c;
  d.sxy = (suu - svv) * c * s + suv * (c * c - s * s);
  return d;
}

}  // namespace asworn::optics
