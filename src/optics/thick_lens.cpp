#include "thick_lens.h"

#include <cmath>

namespace asworn::optics {

double ThickLens::AxialVergenceAtBack() const {
  return frontPower / (1 - (thickness / index) * frontPower);
}

double FrontSurfacePower(double index, double baseCurve) {
  return (index - 1) / 0.53 * baseCurve;
}

double CentreThickness(double sphere, double cylinder, double diameterMm, double index) {
  if (sphere + cylinder / 2 < 0) return 1.5;
  const double semi = diameterMm / 2;
  return std::abs(sphere) * semi * semi / (2000 * (index - 1)) + 1.5;
}

PowerMatrix BackCurvature(const ThickLens& lens, const PowerMatrix& backVertexPower) {
  return (backVertexPower - lens.AxialVergenceAtBack() * PowerMatrix::Identity()) /
         (lens.index - 1);
}

PowerMatrix BackVertexPower(const ThickLens& lens, const PowerMatrix& backCurvature) {
  return (lens.index - 1) * backCurvature + lens.AxialVergenceAtBack() * PowerMatrix::Identity();
}

}  // namespace asworn::optics
