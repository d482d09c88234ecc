// SPDX-License-Identifier: Apache-2.0
#include "thick_lens.h"

namespace asworn::optics {

double ThickLens::AxialVergenceAtBack() const {
  return frontPower / (1 - (thickness / index) * frontPower);
}

PowerMatrix BackCurvature(const ThickLens& lens, const PowerMatrix& backVertexPower) {
  return (backVertexPower - lens.AxialVergenceAtBack() * PowerMatrix::Identity()) /
         (lens.index - 1);
}

PowerMatrix BackVertexPower(const ThickLens& lens, const PowerMatrix& backCurvature) {
  return (lens.index - 1) * backCurvature + lens.AxialVergenceAtBack() * PowerMatrix::Identity();
}

}  // namespace asworn::optics
