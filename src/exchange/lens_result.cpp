#include "lens_result.h"

#include "compensation_engine.h"
#include "number_text.h"

namespace asworn::exchange {
namespace {

char SideOfFields(const std::vector<Field>& fields) {
  bool right = false;
  bool left = false;
  for (Field field : fields) {
    const std::string_view name = InfoOf(field).name;
    right = right || name.starts_with("od");
    left = left || name.starts_with("os");
    if (!name.starts_with("od") && !name.starts_with("os")) right = left = true;
  }
  if (right == left) return 'B';
  return right ? 'R' : 'L';
}

}  // namespace

LensResult ComputeLens(const JobSheet& sheet) {
  const ComputeOutcome outcome = Compute(sheet, NumberFormat{});
  LensResult result;
  if (!outcome) {
    result.fault = LensFault{SideOfFields(outcome.error().fields), outcome.error().message};
    return result;
  }
  const WorkTicket& ticket = outcome->ticket;
  // The ticket shows a prism's size beside its base; the answer takes it signed.
  const Prism& prism = outcome->compensation.prism;
  result.right = CompensatedEye{ticket[Label::odcsph], ticket[Label::odccyl],
                                ticket[Label::odcaxis], NumberText(prism.od.rounded)};
  result.left = CompensatedEye{ticket[Label::oscsph], ticket[Label::osccyl], ticket[Label::oscaxis],
                               NumberText(prism.os.rounded)};
  return result;
}

}  // namespace asworn::exchange
