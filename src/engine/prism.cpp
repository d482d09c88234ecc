// SPDX-License-Identifier: Apache-2.0
#include "prism.h"

#include <array>

#include "eye_fields.h"
#include "lens_units.h"
#include "number_text.h"
#include "step_check.h"

namespace asworn {
namespace {

// What each step computes, right eye and left eye.
constexpr std::string_view kThickness[] = {"right lens thickness", "left lens thickness"};
constexpr std::string_view kEquivalent[] = {"right spherical equivalent",
                                            "left spherical equivalent"};
constexpr std::string_view kBaseCurve[] = {"right base curve power", "left base curve power"};
constexpr std::string_view kPrism[] = {"right prism", "left prism"};
constexpr Eye kBothEyes[] = {Eye::right, Eye::left};

}  // namespace

Prism ComputePrism(const JobSheet& sheet) {
  std::array<PrismOfOneEye, 2> p{};
  // Each step for the right eye, then for the left: the order decides which fault comes first.
  for (Eye eye : kBothEyes) {
    const EyeFields& f = FieldsOf(eye);
    const StepCheck check(sheet, kThickness[IndexOf(eye)]);
    const Checked n = check.Read(f.n);
    const Checked S = check.Read(f.sph);
    const Checked D = check.Read(f.diam);
    const Checked h = (D / 2) * (D / 2);
    // Sag of the sphere over the lens's semi-diameter.
    p[IndexOf(eye)].sag = (S * h / ((n - 1) * 2000).WhenZero(FaultKind::indexOne)).Value();
  }
  for (auto& eye : p)
    if (eye.sag < 0) eye.sag = eye.sag * (-1);
  for (Eye eye : kBothEyes) {
    const EyeFields& f = FieldsOf(eye);
    const StepCheck check(sheet, kEquivalent[IndexOf(eye)]);
    const Checked S = check.Read(f.sph);
    const Checked C = check.Read(f.cyl);
    p[IndexOf(eye)].seq = (S + C / 2).Value();
  }
  for (Eye eye : kBothEyes) {
    // A minus lens is thinnest at the centre: its centre thickness is the minimum alone.
    const StepCheck check(sheet, kThickness[IndexOf(eye)], {FieldsOf(eye).sph, FieldsOf(eye).diam});
    PrismOfOneEye& e = p[IndexOf(eye)];
    e.thick = e.seq < 0 ? 1.5 : (check.Number(e.sag) + 1.5).Value();
  }
  for (Eye eye : kBothEyes) {
    const EyeFields& f = FieldsOf(eye);
    const StepCheck check(sheet, kBaseCurve[IndexOf(eye)]);
    const Checked B = check.Read(f.bc);
    const Checked n = check.Read(f.n);
    p[IndexOf(eye)].bcpow = BaseCurvePower(n, B).Value();
  }
  for (Eye eye : kBothEyes) {
    const EyeFields& f = FieldsOf(eye);
    const StepCheck check(sheet, kPrism[IndexOf(eye)], {f.bc, f.sph, f.diam});
    const Checked n = check.Read(f.n);
    const Checked W = check.Read(Field::wrap);
    PrismOfOneEye& e = p[IndexOf(eye)];
    // Prentice's rule over the wrap: the lens thickness as a thin prism turned by the wrap.
    e.prism = (check.Number(e.thick) / 1000 / n.WhenZero(FaultKind::indexZero) * 100 * e.bcpow *
               DegreesToRadians(W))
                  .Value();
  }
  for (Eye eye : kBothEyes) {
    const StepCheck check(sheet, kPrism[IndexOf(eye)], {FieldsOf(eye).bc, Field::wrap});
    PrismOfOneEye& e = p[IndexOf(eye)];
    e.rounded = check.Finite(RoundHalfEven(e.prism, 2));
  }
  return {p[0], p[1]};
}

}  // namespace asworn
