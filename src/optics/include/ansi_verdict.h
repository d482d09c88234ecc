// SPDX-License-Identifier: Apache-2.0
#pragma once
// ANSI Z80.1-2015 power tolerances applied to a lens as worn: the error is the power as
// worn minus the required power, both in minus-cylinder form, and the tolerance of each
// part is chosen by the required power.

#include <optional>

#include "power_matrix.h"

namespace asworn::optics {

struct AnsiResult {
  double sphereError = 0;  // D, worn minus required
  double sphereTolerance = 0;
  double cylinderError = 0;  // D, worn minus required
  double cylinderTolerance = 0;
  std::optional<double> axisError;      // degrees, 0 to 90; none below 0.12 D of cylinder
  std::optional<double> axisTolerance;  // degrees
  double matrixError = 0;               // D, length of the power-matrix difference

  bool SphereWithin() const;
  bool CylinderWithin() const;
  bool AxisWithin() const;  // true where no axis tolerance applies
  bool Within() const { return SphereWithin() && CylinderWithin() && AxisWithin(); }
};

// Tolerances by the required sphere's magnitude: ±0.13 D to 6.50 D, ±2 % above.
double SphereTolerance(double requiredSphere);
// By the required cylinder's magnitude: ±0.13 D to 2.00, ±0.15 D to 4.50, ±4 % above.
double CylinderTolerance(double requiredCylinder);
// By the required cylinder's magnitude: none below 0.12 D, then 14°, 7°, 5°, 3°, 2°.
std::optional<double> AxisTolerance(double requiredCylinder);

AnsiResult AnsiVerdict(const PowerMatrix& worn, const PowerMatrix& required);

}  // namespace asworn::optics
