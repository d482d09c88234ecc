// SPDX-License-Identifier: Apache-2.0
#include "as_worn_check.h"

#include <cmath>

#include "as_worn_power.h"
#include "chief_ray.h"
#include "lens_units.h"
#include "number_text.h"
#include "thick_lens.h"
#include "wear_rotation.h"

namespace asworn::optics {
namespace {

EyeCheckOutcome Outcome(const EyeInput& input, const AsWornInput& all, Eye eye) {
  try {
    return {
        CheckEye(input, all.tiltDegrees, all.wrapDegrees, eye, all.convention, all.order, all.step),
        {}};
  } catch (const TraceFault& fault) {
    return {std::nullopt, fault.Fault()};
  }
}

}  // namespace

SphCylAxis RoundedOrder(const SphCylAxis& lens, PowerStep step) {
  // Whole steps, exact halves to the even one; 100 per dioptre is the ticket's 0.01 D.
  const double perDioptre = StepsPerDioptre(step);
  const auto rounded = [&](double power) {
    return std::nearbyint(power * perDioptre) / perDioptre + 0.0;
  };
  const double cylinder = rounded(lens.cylinder);
  const double axis = RoundHalfEven(NormalizedAxis(lens.axis), 0);
  return {rounded(lens.sphere), cylinder, cylinder == 0 || axis == 0 ? 180 : axis};
}

EyeCheck CheckEye(const EyeInput& input, double tiltDegrees, double wrapDegrees, Eye eye,
                  WearConvention convention, OrderChoice order, PowerStep step) {
  const ThickLens lens{input.index, BaseCurvePower(input.index, input.baseCurve),
                       input.thicknessMm / 1000};
  const ChiefRayTrace trace =
      TraceChiefRay(lens, WearRotation(tiltDegrees, wrapDegrees, eye, convention));
  EyeCheck c;
  c.requiredMatrix = RequiredPower(ToPowerMatrix(input.prescription), input.refractedVertexMm,
                                   input.fittedVertexMm);
  c.exactOrderMatrix = ExactOrder(trace, lens, c.requiredMatrix);
  c.exactOrder = ToSphCylAxis(c.exactOrderMatrix);
  // The ticket writes a cylinder rounded from a tiny negative value as 0, and so do we.
  c.ordered = order == OrderChoice::exact
                  ? RoundedOrder(c.exactOrder, step)
                  : SphCylAxis{input.ordered.sphere + 0.0, input.ordered.cylinder + 0.0,
                               NormalizedAxis(input.ordered.axis)};
  c.wornMatrix = AsWornPower(trace, lens, ToPowerMatrix(c.ordered));
  if (!c.requiredMatrix.allFinite() || !c.wornMatrix.allFinite() || !c.exactOrderMatrix.allFinite())
    throw TraceFault(OpticsFault::noFinitePower);
  c.required = ToSphCylAxis(c.requiredMatrix);
  c.worn = ToSphCylAxis(c.wornMatrix);
  c.verdict = AnsiVerdict(c.wornMatrix, c.requiredMatrix);
  c.prism = PrismAtFittingPoint(trace, eye);
  c.compensatingPrism = RoundHalfEven(-c.prism.baseIn, 2) + 0.0;
  c.thicknessMm = input.thicknessMm;
  return c;
}

AsWornResult AsWornCheck(const AsWornInput& input) {
  AsWornResult result{Outcome(input.od, input, Eye::right),
                      Outcome(input.os, input, Eye::left),
                      {input.order, input.convention, input.step},
                      std::nullopt};
  if (result.od.check && result.os.check)
    result.verticalImbalance =
        std::abs(result.od.check->prism.baseUp - result.os.check->prism.baseUp);
  return result;
}

}  // namespace asworn::optics
