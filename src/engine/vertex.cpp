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

  // Each principal meridian moved on its own: F' = F / (1 - d·F).
  const StepCheck sphCheck(sheet, kSphere[e], {f.rvd, f.fvd});
  const Checked S = sphCheck.Read(f.sph);
  const Checked vsph = S / (1 - d * S).WhenZero(FaultKind::vertexInfinite);

  const StepCheck merCheck(sheet, kMeridian[e], {f.rvd, f.fvd});
  const Checked S2 = merCheck.Read(f.sph);
  const Checked C = merCheck.Read(f.cyl);
  const Checked meridian = S2 + C;
  const Checked vmer = meridian / (1 - d * meridian).WhenZero(FaultKind::vertexInfinite);
  return {gap, vsph.Value(), (vmer - vsph.Value()).Value()};
}

}  // namespace asworn
