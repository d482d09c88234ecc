// SPDX-License-Identifier: Apache-2.0
#include "tilt_factors.h"

#include <cmath>

#include "eye_fields.h"
#include "field_reading.h"
#include "parse_number.h"
#include "step_check.h"

namespace asworn {
namespace {

constexpr std::string_view kIndexQuantity[] = {"right lens index", "left lens index"};
constexpr std::string_view kFactorQuantity[] = {"right tangential factor",
                                                "left tangential factor"};

// Martin's formula for a lens of index n whose line of sight meets it at the angle θ, given
// sin²θ and cos²θ.
PowerFactors FactorsOfOneLens(const JobSheet& sheet, double sin2, double cos2,
                              const NumberFormat& format, Eye eye) {
  const Field indexField = FieldsOf(eye).n;
  const double index = ReadLensIndex(sheet, format, eye);

  const StepCheck check(sheet, kFactorQuantity[IndexOf(eye)],
                        {indexField, Field::tilt, Field::wrap});
  const Checked n = check.Number(index);
  if (index == 0) check.Fail(FaultKind::indexZero);
  PowerFactors f{};
  f.tfac = ((sin2 + 2 * n) / (cos2 * 2 * n)).Value();
  f.sfac = (sin2 / (2 * n) + 1).Value();
  f.mfac = check.Finite((f.tfac + f.sfac) / 2);
  if (f.mfac == 0) f.mfac = 0.000001;  // keeps the off-diagonal element of the power matrix defined
  return f;
}

}  // namespace

// The index must be wholly one number. The prism reads the same text leniently, with a full
// stop as the only decimal point, so both readings must give one value: a text that the
// user's format reads otherwise ("1,586" as 1586 in English) would make the two halves of the
// computation use different lenses, and is refused. Where the comma is the decimal separator,
// "1,586" is 1.586 to both, since Compute notes the value read here for the prism.
double ReadLensIndex(const JobSheet& sheet, const NumberFormat& format, Eye eye) {
  const Field indexField = FieldsOf(eye).n;
  if (const std::optional<double> noted = NotedReading(indexField)) return *noted;
  const StepCheck check(sheet, kIndexQuantity[IndexOf(eye)], {indexField});
  static const NumberFormat kFullStop{".", ""};
  const std::optional<std::string> plain = WithFullStop(sheet[indexField], format);
  if (!plain) check.Fail(FaultKind::separatorsMixed, indexField);
  const std::string& text = *plain;
  std::optional<double> index = ParseStrictNumber(text, kFullStop);
  if (!index) {
    index = ParseStrictNumber(text, format);
    if (!index) check.Fail(FaultKind::indexNotNumber);
    if (*index != ParseLeadingNumber(text)) check.Fail(FaultKind::indexAmbiguous);
  }
  return InRange(check, indexField, check.Reading(*index, indexField));
}

TiltFactors ComputeTiltFactors(const JobSheet& sheet, const Radians& r,
                               const NumberFormat& format) {
  const StepCheck check(sheet, "combined tilt angle", {Field::tilt, Field::wrap});
  const Checked t = check.Number(std::tan(r.tiltrad));
  const Checked s = check.Number(std::sin(r.wraprad));
  // The angle whose cosine is cos(tilt)·cos(wrap): line of sight against optical axis.
  const double efftilt = std::atan((Sqrt(t * t + s * s) / std::cos(r.wraprad)).Value());
  const double sin2 = std::sin(efftilt) * std::sin(efftilt);
  const double cos2 = std::cos(efftilt) * std::cos(efftilt);
  return {efftilt, FactorsOfOneLens(sheet, sin2, cos2, format, Eye::right),
          FactorsOfOneLens(sheet, sin2, cos2, format, Eye::left)};
}

}  // namespace asworn
