// SPDX-License-Identifier: Apache-2.0
#include "resultant_rx.h"

#include <cmath>

#include "eye_fields.h"
#include "lens_units.h"
#include "step_check.h"

namespace asworn {

ResultantRx ComputeResultantRx(const JobSheet& sheet, Eye eye, const EyeAngles& angles,
                               const PowerFactors& factors, const VertexResult& vertex) {
  constexpr std::string_view kQuantity[] = {"right compensated prescription",
                                            "left compensated prescription"};
  const EyeFields& f = FieldsOf(eye);
  const StepCheck check(sheet, kQuantity[IndexOf(eye)],
                        {f.sph, f.cyl, f.axis, f.n, Field::tilt, Field::wrap});

  // The left eye is the mirror image: its tangential meridian is the right eye's sagittal one.
  const bool right = eye == Eye::right;
  const double factor11 = right ? factors.tfac : factors.sfac;
  const double factor22 = right ? factors.sfac : factors.tfac;

  const double theta = DegreesToRadians(check.Number(angles.off)).Value();
  const double sinT = std::sin(theta);
  const double cosT = std::cos(theta);
  const Checked vsph = check.Number(vertex.vsph);
  const Checked vcyl = check.Number(vertex.vcyl);
  // The power matrix of sphere and cylinder in the frame of the reference meridian.
  const Checked a = vsph + vcyl * (sinT * sinT);
  const Checked b = vsph + vcyl * (cosT * cosT);
  double c = ((-1 * vcyl) * (sinT * cosT)).Value();

  // An axis on a principal meridian of the tilted lens (offset 0 or 90, as with no tilt and
  // an axis of 90 or 180) has no off-diagonal power. sin and cos of such offsets are not
  // exact in floating point: sin θ·cos θ comes out near 1e-16 instead of 0, and the axis
  // found in the next steps from the ratio of two such noises would land anywhere.
  // |sin θ·cos θ| below 1e-12 means an axis within 6e-11 degrees of the meridian, far finer
  // than the tenth of a degree an axis is made to and far coarser than the noise, so such
  // an offset counts as exact, and the guard for an exact zero then applies.
  if (c == 0 || std::abs(sinT * cosT) < kPrincipalMeridianTolerance) c = 0.000001;

  // Divided by the power factors of the tilted lens, meridian by meridian.
  const Checked m11 = a / factor11;
  const Checked m22 = b / factor22;
  const Checked m12 = check.Number(c) / factors.mfac;
  const Checked trace = m11 + m22;
  const Checked det = m11 * m22 - m12 * m12;

  // Evaluated as written (not as (m11-m22)² + 4·m12²), so a negative argument from rounding
  // is possible and stops Compute like any other invalid operation.
  const double discriminant = (trace * trace - 4 * det).Value();
  if (discriminant < 0) check.Fail(FaultKind::arithmetic);
  double root = std::sqrt(discriminant);
  if (root > 0) root = -root;

  ResultantRx rx{};
  rx.m11 = m11.Value();
  rx.m22 = m22.Value();
  rx.m12 = m12.Value();
  rx.trace = trace.Value();
  rx.det = det.Value();
  rx.cylinder = root;
  const Checked sphere = (trace - root) / 2;
  rx.sphere = sphere.Value();
  rx.alpha = RadiansToDegrees(std::atan(((sphere - m11) / m12).Value()));
  double axis = (check.Number(rx.alpha) + angles.outref).Value();
  if (axis > 180) axis -= 180;
  if (axis < 0) axis += 180;
  rx.axis = axis;
  return rx;
}

}  // namespace asworn
