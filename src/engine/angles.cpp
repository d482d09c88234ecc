// SPDX-License-Identifier: Apache-2.0
#include "angles.h"

#include <cmath>

#include "eye_fields.h"
#include "lens_units.h"
#include "step_check.h"

namespace asworn {
namespace {

double AngleInRadians(const JobSheet& sheet, Field field, std::string_view quantity) {
  const StepCheck check(sheet, quantity);
  return DegreesToRadians(check.Read(field)).Value();
}

// The prescribed axis measured from the reference meridian, raised once by 180 when negative.
double AxisOffset(const JobSheet& sheet, Field axisField, double inref, std::string_view quantity) {
  const StepCheck check(sheet, quantity);
  const Checked axis = check.Read(axisField);
  double off = (axis - inref).Value();
  if (off < 0) off += 180;
  return off;
}

}  // namespace

Radians TiltAndWrapRadians(const JobSheet& sheet) {
  const double tiltrad = AngleInRadians(sheet, Field::tilt, "pantoscopic tilt");
  const double wraprad = AngleInRadians(sheet, Field::wrap, "face-form wrap");
  return {kPi, tiltrad, wraprad};
}

Angles SetUpAngles(const JobSheet& sheet, const Radians& r) {
  Angles a{};
  {
    const StepCheck check(sheet, "right reference meridian", {Field::wrap, Field::tilt});
    // A wrap of 0, the commonest frame, would divide by zero: the frame is then the limit for
    // a wrap just above 0, taken at a wrap far below any that can be measured. The meridians
    // are ±90 degrees to nine decimals (0 with no tilt), and an axis on a principal meridian
    // falls on the side of it that a small wrap gives, not on the side rounding noise gives.
    const double wraprad = std::sin(r.wraprad) == 0 ? DegreesToRadians(kLimitWrap) : r.wraprad;
    const Checked tanTilt = check.Number(std::tan(r.tiltrad));
    const Checked sinTilt = check.Number(std::sin(r.tiltrad));
    a.od.inref = std::atan((tanTilt / std::sin(wraprad)).Value()) * kDegreesPerRadian;
    a.od.outref = std::atan((sinTilt / std::tan(wraprad)).Value()) * kDegreesPerRadian;
  }
  a.os.inref = 90 - a.od.inref;
  a.os.outref = 90 - a.od.outref;
  a.od.off = AxisOffset(sheet, FieldsOf(Eye::right).axis, a.od.inref, "right axis offset");
  a.os.off = AxisOffset(sheet, FieldsOf(Eye::left).axis, a.os.inref, "left axis offset");
  return a;
}

}  // namespace asworn
