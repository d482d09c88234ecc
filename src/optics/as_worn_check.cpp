#include "as_worn_check.h"

#include "lens_units.h"

namespace asworn::optics {
namespace {

EyeCheckOutcome Outcome(const EyeInput& input, const AsWornInput& all, Eye eye) {
  try {
    return {CheckEye(input, all.tiltDegrees, all.wrapDegrees, eye, all.convention), {}};
  } catch (const TraceFault& fault) {
    return {std::nullopt, fault.what()};
  }
}

}  // namespace

EyeCheck CheckEye(const EyeInput& input, double tiltDegrees, double wrapDegrees, Eye eye,
                  WearConvention convention) {
  const ThickLens lens{input.index, BaseCurvePower(input.index, input.baseCurve),
                       input.thicknessMm / 1000};
  const ChiefRayTrace trace =
      TraceChiefRay(lens, WearRotation(tiltDegrees, wrapDegrees, eye, convention));
  EyeCheck c;
  c.requiredMatrix = RequiredPower(ToPowerMatrix(input.prescription), input.refractedVertexMm,
                                   input.fittedVertexMm);
  c.wornMatrix = AsWornPower(trace, lens, ToPowerMatrix(input.ordered));
  c.exactOrderMatrix = ExactOrder(trace, lens, c.requiredMatrix);
  if (!c.requiredMatrix.allFinite() || !c.wornMatrix.allFinite() || !c.exactOrderMatrix.allFinite())
    throw TraceFault("the lens as worn gives no finite power");
  c.required = ToSphCylAxis(c.requiredMatrix);
  // The ticket writes a cylinder rounded from a tiny negative value as 0, and so do we.
  c.ordered = {input.ordered.sphere + 0.0, input.ordered.cylinder + 0.0,
               NormalizedAxis(input.ordered.axis)};
  c.worn = ToSphCylAxis(c.wornMatrix);
  c.exactOrder = ToSphCylAxis(c.exactOrderMatrix);
  c.verdict = AnsiVerdict(c.wornMatrix, c.requiredMatrix);
  c.prism = PrismAtFittingPoint(trace, eye);
  c.thicknessMm = input.thicknessMm;
  return c;
}

AsWornResult AsWornCheck(const AsWornInput& input) {
  return {Outcome(input.od, input, Eye::right), Outcome(input.os, input, Eye::left)};
}

}  // namespace asworn::optics
