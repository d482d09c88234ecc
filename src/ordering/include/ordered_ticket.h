// SPDX-License-Identifier: Apache-2.0
#pragma once
// One Compute, the lens it orders and that lens checked as worn: the single pass every front
// end makes of a job. The ticket formula's ticket stays as Compute wrote it; with the exact
// order the compensated Rx and the prism labels carry the exact order instead.

#include <string>
#include <string_view>

#include "as_worn_check.h"
#include "compensation_engine.h"
#include "job_sheet.h"
#include "lens_order.h"
#include "work_ticket.h"

namespace asworn::ordering {

struct OrderedTicket {
  WorkTicket ticket;           // the page as it is shown, printed and answered
  optics::AsWornResult check;  // of the lens `ticket` orders
  std::string fault;  // the exact order was asked for and an eye cannot be traced: no ticket

  bool ok() const { return fault.empty(); }
};

OrderedTicket OrderTicket(const ComputedTicket& computed, const optics::OrderSettings& settings,
                          std::string_view decimalSeparator);

// Writes the ticket of `computed` and the lens `check` orders again, numbers with
// `decimalSeparator`: the same page for a reader that takes other numbers than the user's.
void WriteTicket(WorkTicket& ticket, const JobSheet& sheet, const ComputedTicket& computed,
                 const optics::AsWornResult& check, std::string_view decimalSeparator);

}  // namespace asworn::ordering
