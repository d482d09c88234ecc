#include "vertex.h"

#include "field_reading.h"
#include "step_check.h"

namespace asworn {

VertexResult CompensateVertex(const JobSheet& sheet, Eye eye) {
  const bool right = eye == Eye::right;
  const Field sphF = right ? Field::odsph : Field::ossph;
  const Field cylF = right ? Field::odcyl : Field::oscyl;
  const Field rvdF = right ? Field::odrvd : Field::osrvd;
  const Field fvdF = right ? Field::odfvd : Field::osfvd;

  const StepCheck gapCheck(sheet, right ? "right vertex gap" : "left vertex gap", {rvdF, fvdF});
  const double gap =
      gapCheck.Finite(ReadField(gapCheck, sheet, rvdF) - ReadField(gapCheck, sheet, fvdF));
  const double d = gap / 1000;  // metres

  const StepCheck sphCheck(sheet, right ? "right sphere" : "left sphere", {sphF, rvdF, fvdF});
  const double S = ReadField(sphCheck, sheet, sphF);
  const double vsph = sphCheck.Divide(S, sphCheck.Finite(1 - d * S), FaultKind::vertexInfinite);

  const StepCheck merCheck(
      sheet, right ? "right sphere-plus-cylinder meridian" : "left sphere-plus-cylinder meridian",
      {sphF, cylF, rvdF, fvdF});
  const double C = ReadField(merCheck, sheet, cylF);
  const double meridian = merCheck.Finite(S + C);
  const double vmer =
      merCheck.Divide(meridian, merCheck.Finite(1 - d * meridian), FaultKind::vertexInfinite);
  return {gap, vsph, merCheck.Finite(vmer - vsph)};
}

}  // namespace asworn
