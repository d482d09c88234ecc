#include "tilt_factors.h"

#include <cmath>

#include "field_reading.h"
#include "parse_number.h"
#include "step_check.h"

namespace asworn {
namespace {

// The index must be wholly one number. The prism reads the same text leniently, with a full
// stop as the only decimal point, so both readings must give one value: a text that the
// user's format reads otherwise ("1,586" as 1586 in English, or as 1.586 where the comma is
// the decimal separator while the prism would read 1) would make the two halves of the
// computation use different lenses, and is refused.
double ReadLensIndex(const JobSheet& sheet, Field indexField, const NumberFormat& format,
                     bool right) {
  const StepCheck check(sheet, right ? "right lens index" : "left lens index", {indexField});
  const std::string& text = sheet[indexField];
  static const NumberFormat kFullStop{".", ""};
  std::optional<double> index = ParseStrictNumber(text, kFullStop);
  if (!index) {
    index = ParseStrictNumber(text, format);
    if (!index) check.Fail(FaultKind::indexNotNumber);
    if (*index != ParseLeadingNumber(text)) check.Fail(FaultKind::indexAmbiguous);
  }
  return InRange(check, indexField, check.Reading(*index, indexField));
}

PowerFactors FactorsOfOneLens(const JobSheet& sheet, Field indexField, double efftilt,
                              const NumberFormat& format, Eye eye) {
  const bool right = eye == Eye::right;
  const double n = ReadLensIndex(sheet, indexField, format, right);

  const double sin2 = std::sin(efftilt) * std::sin(efftilt);
  const double cos2 = std::cos(efftilt) * std::cos(efftilt);
  const StepCheck check(sheet, right ? "right tangential factor" : "left tangential factor",
                        {indexField, Field::tilt, Field::wrap});
  const double twoN = check.Finite(n + n);
  if (twoN == 0) check.Fail(FaultKind::indexZero);
  PowerFactors f{};
  f.tfac = check.Divide(check.Finite(sin2 + twoN), check.Finite(cos2 * twoN));
  f.sfac = check.Finite(check.Divide(sin2, twoN) + 1);
  f.mfac = check.Finite((f.tfac + f.sfac) / 2);
  if (f.mfac == 0) f.mfac = 0.000001;  // keeps the off-diagonal element of the power matrix defined
  return f;
}

}  // namespace

TiltFactors ComputeTiltFactors(const JobSheet& sheet, const Radians& r,
                               const NumberFormat& format) {
  const StepCheck check(sheet, "combined tilt angle", {Field::tilt, Field::wrap});
  const double t = std::tan(r.tiltrad);
  const double s = std::sin(r.wraprad);
  // The angle whose cosine is cos(tilt)·cos(wrap): line of sight against optical axis.
  const double efftilt = std::atan(
      check.Divide(check.Finite(std::sqrt(check.Finite(t * t + s * s))), std::cos(r.wraprad)));
  return {efftilt, FactorsOfOneLens(sheet, Field::odn, efftilt, format, Eye::right),
          FactorsOfOneLens(sheet, Field::osn, efftilt, format, Eye::left)};
}

}  // namespace asworn
