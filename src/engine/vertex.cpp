// SPDX-License-Identifier: Apache-2.0
#include "vertex.h"

#include "eye_fields.h"
#include "step_check.h"

namespace asworn {
namespace {

constexpr std::string_view kGap[] = {"right vertex gap", "left vertex gap"};
constexpr std::string_view kSphere[] = {"right sphere", "left sphere"};
constexpr std::string_view kMeridian[] = {"right sphere-plus-cylinder meridian",
                                          "left sphere-plus-cylinder meridian"};

}  // namespace

VertexResult CompensateVertex(const JobSheet& sheet, Eye eye) {
  const EyeFields& f = FieldsOf(eye);
  const std::size_t e = IndexOf(eye);

  const StepCheck gapCheck(sheet, kGap[e]);
  const Checked refracted = gapCheck.Read(f.rvd);
  const Checked fitted = gapCheck.Read(f.fvd);
  const double gap = (refracted - fitted).Value();
  const double d = gap / 1000;  // metres

  // Each principal meridian moved on its own: F' = F / (1 - d·F). Where d·F reaches 1 the
  // move reaches the lens's focal point, and beyond it the power would change sign.
  const StepCheck sphCheck(sheet, kSphere[e], {f.rvd, f.fvd});
  const Checked S = sphCheck.Read(f.sph);
  const Checked sphFactor = 1 - d * S;
  if (sphFactor.Value() <= 0) sphCheck.Fail(FaultKind::vertexPastFocus);
  const Checked vsph = S / sphFactor;

  const StepCheck merCheck(sheet, kMeridian[e], {f.rvd, f.fvd});
  const Checked S2 = merCheck.Read(f.sph);
  const Checked C = merCheck.Read(f.cyl);
  const Checked meridian = S2 + C;
  const Checked merFactor = 1 - d * meridian;
  if (merFactor.Value() <= 0) merCheck.Fail(FaultKind::vertexPastFocus);
  const Checked vmer = meridian / merFactor;
  return {gap, vsph.Value(), (vmer - vsph.Value()).Value()};
}

}  // namespace asworn
