#include "angles.h"

#include <cmath>

#include "compute_fault.h"
#include "field_reading.h"

namespace asworn {
namespace {

double DegreesToRadians(const JobSheet& sheet, Field field, double pi, std::string_view quantity) {
  const StepCheck check(sheet, quantity, {field});
  const double degrees = ReadField(check, sheet, field);
  return check.Finite(degrees * pi / 180);
}

// The prescribed axis measured from the reference meridian, raised once by 180 when negative.
double AxisOffset(const JobSheet& sheet, Field axisField, double inref, std::string_view quantity) {
  const StepCheck check(sheet, quantity, {axisField});
  double off = check.Finite(ReadField(check, sheet, axisField) - inref);
  if (off < 0) off += 180;
  return off;
}

// atan(num / den) in degrees. A divisor of exactly 0 comes only from a wrap of 0, the
// commonest frame: the meridian is then the limit for a wrap just above 0, ±90 degrees as
// the numerator's sign says, and 0 when the tilt is 0 as well.
double ReferenceMeridian(const StepCheck& check, double num, double den, double toDegrees) {
  if (den == 0) return num > 0 ? 90.0 : num < 0 ? -90.0 : 0.0;
  return std::atan(check.Divide(num, den)) * toDegrees;
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
    a.od.inref = ReferenceMeridian(check, std::tan(r.tiltrad), std::sin(r.wraprad), toDegrees);
    a.od.outref = ReferenceMeridian(check, std::sin(r.tiltrad), std::tan(r.wraprad), toDegrees);
  }
  a.os.inref = 90 - a.od.inref;
  a.os.outref = 90 - a.od.outref;
  a.od.off = AxisOffset(sheet, Field::odaxis, a.od.inref, "right axis offset");
  a.os.off = AxisOffset(sheet, Field::osaxis, a.os.inref, "left axis offset");
  return a;
}

}  // namespace asworn
