// SPDX-License-Identifier: Apache-2.0
#include "lens_result.h"

#include <optional>
#include <vector>

#include "as_worn_input.h"
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

// The ticket formula's lens as the lab is sent it, checked as that: the ticket's order in the
// lab's step and whole degrees.
optics::AsWornInput LabTicketInput(const ComputedTicket& computed,
                                   const optics::OrderSettings& settings) {
  optics::AsWornInput input = optics::AsWornInputOf(computed);
  input.order = settings.order;
  input.convention = settings.convention;
  input.step = settings.step;
  for (optics::EyeInput* eye : {&input.od, &input.os})
    eye->ordered = optics::RoundedOrder(eye->ordered, settings.step);
  return input;
}

// The lens checked, as written: RoundedOrder gives a lens already written so back unchanged,
// and writes an axis of 0 as 180.
CompensatedEye LensOf(const optics::EyeCheck& c, optics::PowerStep step, double prism) {
  const optics::SphCylAxis written = optics::RoundedOrder(c.ordered, step);
  return {written.sphere, written.cylinder, written.axis, prism};
}

}  // namespace

LensResult ComputeLens(const JobSheet& sheet, const optics::OrderSettings& settings) {
  const ComputeOutcome outcome = Compute(sheet, NumberFormat{});
  LensResult result;
  if (!outcome) {
    result.fault = LensFault{EyeOfFields(outcome.error().fields), outcome.error().message};
    return result;
  }
  const bool exact = settings.order == optics::OrderChoice::exact;
  const ordering::OrderedTicket ordered =
      exact ? ordering::OrderTicket(*outcome, settings, ".")
            : ordering::OrderedTicket{
                  outcome->ticket, optics::AsWornCheck(LabTicketInput(*outcome, settings)), {}};
  result.check = AsWornLabelsOf(ordered.check);
  if (!ordered.ok()) {
    result.check.problem = ordered.fault;
    return result;
  }
  const optics::EyeCheckOutcome& od = ordered.check.od;
  const optics::EyeCheckOutcome& os = ordered.check.os;
  if (!od.check || !os.check) return result;  // the check's problem says which eye
  const Compensation& c = outcome->compensation;
  result.right =
      LensOf(*od.check, settings.step, exact ? od.check->compensatingPrism : c.prism.od.rounded);
  result.left =
      LensOf(*os.check, settings.step, exact ? os.check->compensatingPrism : c.prism.os.rounded);
  return result;
}

}  // namespace asworn::exchange
