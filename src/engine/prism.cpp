#include "prism.h"

#include <array>

#include "field_reading.h"
#include "number_text.h"
#include "step_check.h"

namespace asworn {
namespace {

struct EyeFields {
  Field sph, cyl, diam, n, bc;
  std::string_view thickness, equivalent, baseCurve, prism;  // what each step computes
};

constexpr std::array<EyeFields, 2> kEyes{{
    {Field::odsph, Field::odcyl, Field::oddiam, Field::odn, Field::odbc, "right lens thickness",
     "right spherical equivalent", "right base curve power", "right prism"},
    {Field::ossph, Field::oscyl, Field::osdiam, Field::osn, Field::osbc, "left lens thickness",
     "left spherical equivalent", "left base curve power", "left prism"},
}};

double Read(const StepCheck& check, const JobSheet& sheet, Field f) {
  return ReadField(check, sheet, f);
}

}  // namespace

Prism ComputePrism(const JobSheet& sheet, double pi) {
  std::array<PrismOfOneEye, 2> p{};
  // Each step for the right eye, then for the left: the order decides which fault comes first.
  for (std::size_t e = 0; e < 2; ++e) {
    const EyeFields& f = kEyes[e];
    const StepCheck check(sheet, f.thickness, {f.n, f.sph, f.diam});
    const double S = Read(check, sheet, f.sph);
    const double semi = check.Finite(Read(check, sheet, f.diam) / 2);
    const double h = check.Finite(semi * semi);
    const double n = Read(check, sheet, f.n);
    p[e].sag = check.Divide(check.Finite(S * h), check.Finite(check.Finite(n - 1) * 2000),
                            FaultKind::indexOne);
  }
  for (auto& eye : p)
    if (eye.sag < 0) eye.sag = eye.sag * (-1);
  for (std::size_t e = 0; e < 2; ++e) {
    const EyeFields& f = kEyes[e];
    const StepCheck check(sheet, f.equivalent, {f.sph, f.cyl});
    p[e].seq = check.Finite(Read(check, sheet, f.sph) + Read(check, sheet, f.cyl) / 2);
  }
  for (std::size_t e = 0; e < 2; ++e) {
    // A minus lens is thinnest at the centre: its centre thickness is the minimum alone.
    const StepCheck check(sheet, kEyes[e].thickness, {kEyes[e].sph, kEyes[e].diam});
    p[e].thick = p[e].seq < 0 ? 1.5 : check.Finite(p[e].sag + 1.5);
  }
  for (std::size_t e = 0; e < 2; ++e) {
    const EyeFields& f = kEyes[e];
    const StepCheck check(sheet, f.baseCurve, {f.bc, f.n});
    // The base curve is stated for the 1.53 scale; bcpow is its power in the lens material.
    p[e].bcpow =
        check.Finite(check.Finite((Read(check, sheet, f.n) - 1) / 0.53) * Read(check, sheet, f.bc));
  }
  for (std::size_t e = 0; e < 2; ++e) {
    const EyeFields& f = kEyes[e];
    const StepCheck check(sheet, f.prism, {f.n, f.bc, Field::wrap, f.sph, f.diam});
    double a = p[e].thick / 1000;
    a = check.Divide(a, Read(check, sheet, f.n), FaultKind::indexZero);
    a = check.Finite(a * 100);
    a = check.Finite(a * p[e].bcpow);
    const double r = check.Finite(check.Finite(pi * Read(check, sheet, Field::wrap)) / 180);
    p[e].prism = check.Finite(a * r);
  }
  for (std::size_t e = 0; e < 2; ++e) {
    const StepCheck check(sheet, kEyes[e].prism, {kEyes[e].bc, Field::wrap});
    p[e].rounded = check.Finite(RoundHalfEven(p[e].prism, 2));
  }
  return {p[0], p[1]};
}

}  // namespace asworn
