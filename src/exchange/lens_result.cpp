// SPDX-License-Identifier: Apache-2.0
#include "lens_result.h"

#include <optional>
#include <vector>

#include "as_worn_labels.h"
#include "compensation_engine.h"
#include "ordered_ticket.h"

namespace asworn::exchange {
namespace {

// The eye whose fields a fault names; none when it names both eyes or neither.
std::optional<Eye> EyeOfFields(const std::vector<Field>& fields) {
  bool right = false;
  bool left = false;
  for (Field field : fields) {
    const std::string_view name = InfoOf(field).name;
    right = right || name.starts_with("od");
    left = left || name.starts_with("os");
    if (!name.starts_with("od") && !name.starts_with("os")) right = left = true;
  }
  if (right == left) return std::nullopt;
  return right ? Eye::right : Eye::left;
}

CompensatedEye TicketFormulaEye(const RoundedRx& rx, const PrismOfOneEye& prism) {
  return {rx.sphere, rx.cylinder, rx.axis, prism.rounded};
}

CompensatedEye ExactEye(const optics::EyeCheck& c) {
  return {c.ordered.sphere, c.ordered.cylinder, c.ordered.axis, c.compensatingPrism};
}

}  // namespace

LensResult ComputeLens(const JobSheet& sheet, const optics::OrderSettings& settings) {
  const ComputeOutcome outcome = Compute(sheet, NumberFormat{});
  LensResult result;
  if (!outcome) {
    result.fault = LensFault{EyeOfFields(outcome.error().fields), outcome.error().message};
    return result;
  }
  const ordering::OrderedTicket ordered = ordering::OrderTicket(*outcome, settings, ".");
  result.check = AsWornLabelsOf(ordered.check);
  if (!ordered.ok()) {
    result.check.problem = ordered.fault;
    return result;
  }
  if (settings.order == optics::OrderChoice::exact) {
    result.right = ExactEye(*ordered.check.od.check);
    result.left = ExactEye(*ordered.check.os.check);
  } else {
    const Compensation& c = outcome->compensation;
    result.right = TicketFormulaEye(c.odRounded, c.prism.od);
    result.left = TicketFormulaEye(c.osRounded, c.prism.os);
  }
  return result;
}

}  // namespace asworn::exchange
