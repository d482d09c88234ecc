#include "angles.h"

#include <cmath>

#include "eye_fields.h"
#include "step_check.h"

namespace asworn {
namespace {

double DegreesToRadians(const JobSheet& sheet, Field field, double pi, std::string_view quantity) {
  const StepCheck check(sheet, quantity);
  const Checked degrees = check.Read(field);
  return (degrees * pi / 180).Value();
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
  const double pi = 4 * std::atan(1.0);
  const double tiltrad = DegreesToRadians(sheet, Field::tilt, pi, "pantoscopic tilt");
  const double wraprad = DegreesToRadians(sheet, Field::wrap, pi, "face-form wrap");
  return {pi, tiltrad, wraprad};
}

Angles SetUpAngles(const JobSheet& sheet, const Radians& r) {
  const double toDegrees = 180 / r.pi;
  Angles a{};
  {
    const StepCheck check(sheet, "right reference meridian", {Field::wrap, Field::tilt});
    // A wrap of 0, the commonest frame, would divide by zero: the frame is then the limit for
    // a wrap just above 0, taken at a wrap far below any that can be measured. The meridians
    // are ±90 degrees to nine decimals (0 with no tilt), and an axis on a principal meridian
    // falls on the side of it that a small wrap gives, not on the side rounding noise gives.
    const double wraprad = std::sin(r.wraprad) == 0 ? kLimitWrap * r.pi / 180 : r.wraprad;
    const Checked tanTilt = check.Number(std::tan(r.tiltrad));
    const Checked sinTilt = check.Number(std::sin(r.tiltrad));
    a.od.inref = std::atan((tanTilt / std::sin(wraprad)).Value()) * toDegrees;
    a.od.outref = std::atan((sinTilt / std::tan(wraprad)).Value()) * toDegrees;
  }
  a.os.inref = 90 - a.od.inref;
  a.os.outref = 90 - a.od.outref;
  a.od.off = AxisOffset(sheet, FieldsOf(Eye::right).axis, a.od.inref, "right axis offset");
  a.os.off = AxisOffset(sheet, FieldsOf(Eye::left).axis, a.os.inref, "left axis offset");
  return a;
}

}  // namespace asworn
