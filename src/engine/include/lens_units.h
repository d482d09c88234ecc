// SPDX-License-Identifier: Apache-2.0
#pragma once
// Units every part of the program shares: angles in degrees against radians, and the scale
// base curves are quoted on. Templates, so that the engine's checked numbers and plain
// doubles go through the same arithmetic.

#include <numbers>

namespace asworn {

inline constexpr double kPi = std::numbers::pi;
// For converting many angles at one cost; each rounds differently from the forms below, so
// a caller keeps to the form its printed digits were made with.
inline constexpr double kRadiansPerDegree = kPi / 180;
inline constexpr double kDegreesPerRadian = 180 / kPi;

template <typename Number>
constexpr Number DegreesToRadians(Number degrees) {
  return degrees * kPi / 180;
}
template <typename Number>
constexpr Number RadiansToDegrees(Number radians) {
  return radians * 180 / kPi;
}

// A base curve of B dioptres is the surface of radius 0.53/B m whatever the material: its
// power is quoted for an index of 1.53.
inline constexpr double kBaseCurveIndex = 1.53;
// 1.53 - 1 written out, which the difference in binary is not.
inline constexpr double kBaseCurveIndexLessOne = 0.53;

// The power of a base curve's surface in a material of `index`.
template <typename Number>
constexpr Number BaseCurvePower(Number index, Number baseCurve) {
  return (index - 1) / kBaseCurveIndexLessOne * baseCurve;
}
// The base curve of a surface of `power` in a material of `index`.
constexpr double BaseCurveOf(double power, double index) {
  return power * kBaseCurveIndexLessOne / (index - 1);
}

}  // namespace asworn
