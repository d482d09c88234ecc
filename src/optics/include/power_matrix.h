// SPDX-License-Identifier: Apache-2.0
#pragma once
// Sphere, cylinder and TABO axis against the dioptric power matrix. Axes are counter-clockwise
// from the observer's right, seen from in front of the patient, for both eyes.

#include <Eigen/Core>

namespace asworn::optics {

using PowerMatrix = Eigen::Matrix2d;

struct SphCylAxis {
  double sphere = 0;    // D
  double cylinder = 0;  // D, either sign on the way in, minus on the way out
  double axis = 0;      // degrees
};

// S·I + C·m·mᵀ with m = (−sin a, cos a): the cylinder acts across its axis.
PowerMatrix ToPowerMatrix(const SphCylAxis& rx);

// Minus-cylinder form, axis in [0, 180) along the larger principal power; 0 without cylinder.
SphCylAxis ToSphCylAxis(const PowerMatrix& f);

// Frobenius length of a difference: √2 × the power-vector length.
double MatrixDistance(const PowerMatrix& a, const PowerMatrix& b);

// An axis brought into [0, 180), where 0 and 180 are the same meridian.
double NormalizedAxis(double degrees);

// The smaller angle between two axes, 0 to 90.
double AxisDifference(double a, double b);

}  // namespace asworn::optics
