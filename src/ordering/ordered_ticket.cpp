// SPDX-License-Identifier: Apache-2.0
#include "ordered_ticket.h"

#include <cmath>
#include <utility>

#include "as_worn_input.h"
#include "number_text.h"

namespace asworn::ordering {
namespace {

struct EyeLabels {
  Label sph, cyl, axis, prism, base;
};
constexpr EyeLabels kRight{Label::odcsph, Label::odccyl, Label::odcaxis, Label::odprism2,
                           Label::odpb};
constexpr EyeLabels kLeft{Label::oscsph, Label::osccyl, Label::oscaxis, Label::osprism2,
                          Label::ospb};

void WriteEye(WorkTicket& ticket, const optics::EyeCheck& c, const EyeLabels& at,
              std::string_view sep) {
  ticket[at.sph] = NumberText(c.ordered.sphere, sep);
  ticket[at.cyl] = NumberText(c.ordered.cylinder, sep);
  ticket[at.axis] = NumberText(c.ordered.axis, sep);
  ticket[at.prism] = NumberText(std::abs(c.compensatingPrism), sep);
  ticket[at.base] = std::string(BaseDirection(c.compensatingPrism));
}

// With the exact order, writes each eye's rounded exact order into the compensated Rx labels
// and the prism that cancels the induced horizontal prism, as its size and "Base In" or
// "Base Out", into the prism labels; numbers as the ticket writes them. Leaves the ticket
// alone for the ticket formula.
void WriteOrderedLens(WorkTicket& ticket, const optics::AsWornResult& check,
                      std::string_view decimalSeparator) {
  if (check.settings.order != optics::OrderChoice::exact) return;
  if (check.od.check) WriteEye(ticket, *check.od.check, kRight, decimalSeparator);
  if (check.os.check) WriteEye(ticket, *check.os.check, kLeft, decimalSeparator);
}

}  // namespace

OrderedTicket OrderTicket(const ComputedTicket& computed, const optics::OrderSettings& settings,
                          std::string_view decimalSeparator) {
  OrderedTicket result{computed.ticket, optics::AsWornCheck(computed, settings), {}};
  if (settings.order == optics::OrderChoice::exact) {
    // Half an exact order is no order: the ticket formula's lens must not stand in for it.
    for (const auto& [name, eye] :
         {std::pair{"right", &result.check.od}, std::pair{"left", &result.check.os}})
      if (!eye->check && result.fault.empty())
        result.fault = std::string("The exact order cannot be made: the ") + name +
                       " lens cannot be traced as worn (" +
                       std::string(optics::FaultText(eye->fault)) + ").";
    if (!result.ok()) return result;
  }
  WriteOrderedLens(result.ticket, result.check, decimalSeparator);
  return result;
}

void WriteTicket(WorkTicket& ticket, const JobSheet& sheet, const ComputedTicket& computed,
                 const optics::AsWornResult& check, std::string_view decimalSeparator) {
  FillWorkTicket(ticket, sheet, computed.compensation, decimalSeparator);
  WriteOrderedLens(ticket, check, decimalSeparator);
}

}  // namespace asworn::ordering
