// SPDX-License-Identifier: Apache-2.0
#pragma once
// The back surface off its pole: the torus whose Hessian at the pole is the back curvature,
// a circle of the smaller curvature swept about an axis at the radius of the larger one.
// Its slope and curvature anywhere on the lens, for rays that cross it away from the pole.

#include "power_matrix.h"

namespace asworn::optics {

// Sag Z_L = s(X_L, Y_L) in m (positive toward the front) and its first and second derivatives.
struct SagDerivatives {
  double sag = 0;
  double sx = 0, sy = 0;
  double sxx = 0, sxy = 0, syy = 0;
};

class ToricBack {
 public:
  // curvature: the back surface's Hessian at the pole, lens frame (1/m).
  explicit ToricBack(const PowerMatrix& curvature);

  SagDerivatives At(double x, double y) const;

 private:
  double c1_ = 0, c2_ = 0;          // the larger and the smaller principal curvature
  double cosPhi_ = 1, sinPhi_ = 0;  // direction of c1
};

}  // namespace asworn::optics
