#include "resultant_rx.h"

#include <cmath>

#include "step_check.h"

namespace asworn {

ResultantRx ComputeResultantRx(const JobSheet& sheet, Eye eye, const EyeAngles& angles,
                               const PowerFactors& factors, const VertexResult& vertex, double pi) {
  const bool right = eye == Eye::right;
  const StepCheck check(
      sheet, right ? "right compensated prescription" : "left compensated prescription",
      right ? std::initializer_list<Field>{Field::odsph, Field::odcyl, Field::odaxis, Field::odn,
                                           Field::tilt, Field::wrap}
            : std::initializer_list<Field>{Field::ossph, Field::oscyl, Field::osaxis, Field::osn,
                                           Field::tilt, Field::wrap});

  // The left eye is the mirror image: its tangential meridian is the right eye's sagittal one.
  const double factor11 = right ? factors.tfac : factors.sfac;
  const double factor22 = right ? factors.sfac : factors.tfac;

  const double theta = check.Finite(angles.off * pi / 180);
  const double sinT = std::sin(theta);
  const double cosT = std::cos(theta);
  const double a = check.Finite(vertex.vsph + vertex.vcyl * (sinT * sinT));
  const double b = check.Finite(vertex.vsph + vertex.vcyl * (cosT * cosT));
  double c = check.Finite((-1 * vertex.vcyl) * (sinT * cosT));

  // An axis on a principal meridian of the tilted lens (offset 0 or 90, as with no tilt and
  // an axis of 90 or 180) has no off-diagonal power. sin and cos of such offsets are not
  // exact in floating point: sin θ·cos θ comes out near 1e-16 instead of 0, and the axis
  // found in the next steps from the ratio of two such noises would land anywhere.
  // |sin θ·cos θ| below 1e-12 means an axis within 6e-11 degrees of the meridian, far finer
  // than the tenth of a degree an axis is made to and far coarser than the noise, so such
  // an offset counts as exact, and the guard for an exact zero then applies.
  if (c == 0 || std::abs(sinT * cosT) < kPrincipalMeridianTolerance) c = 0.000001;

  ResultantRx rx{};
  rx.m11 = check.Divide(a, factor11);
  rx.m22 = check.Divide(b, factor22);
  rx.m12 = check.Divide(c, factors.mfac);
  rx.trace = check.Finite(rx.m11 + rx.m22);
  rx.det = check.Finite(check.Finite(rx.m11 * rx.m22) - check.Finite(rx.m12 * rx.m12));

  // Evaluated as written (not as (m11-m22)² + 4·m12²), so a negative argument from rounding
  // is possible and stops Compute like any other invalid operation.
  const double discriminant = check.Finite(check.Finite(rx.trace * rx.trace) - 4 * rx.det);
  if (discriminant < 0) check.Fail(FaultKind::arithmetic);
  double root = std::sqrt(discriminant);
  if (root > 0) root = -root;
  rx.cylinder = root;
  rx.sphere = check.Finite((rx.trace - root) / 2);

  rx.alpha = std::atan(check.Divide(check.Finite(rx.sphere - rx.m11), rx.m12)) * 180 / pi;
  double axis = check.Finite(rx.alpha + angles.outref);
  if (axis > 180) axis -= 180;
  if (axis < 0) axis += 180;
  rx.axis = axis;
  return rx;
}

}  // namespace asworn
