// SPDX-License-Identifier: Apache-2.0
#pragma once
// One Compute, the lens it orders and that lens checked as worn: the single pass every front
// end makes of a job. The ticket formula's ticket stays as Compute wrote it; with the exact
// order the compensated Rx and the prism labels carry the exact order instead.

#include <string>
#include <string_view>

#include "as_worn_check.h"
#include "compensation_engine.h"

namespace asworn::optics {

struct OrderedTicket {
  WorkTicket ticket;   // the page as it is shown, printed and answered
  AsWornResult check;  // of the lens `ticket` orders
  std::string fault;   // the exact order was asked for and an eye cannot be traced: no ticket

  bool ok() const { return fault.empty(); }
};

inline constexpr std::string_view kBaseOut = "Base Out";

// With the exact order, writes each eye's rounded exact order into the compensated Rx labels
// and the prism that cancels the induced horizontal prism, as its size and "Base In" or
// "Base Out", into the prism labels; numbers as the ticket writes them. Leaves the ticket
// alone for the ticket formula.
void WriteOrderedLens(WorkTicket& ticket, const AsWornResult& check,
                      std::string_view decimalSeparator);

OrderedTicket OrderTicket(const ComputedTicket& computed, const OrderSettings& settings,
                          std::string_view decimalSeparator);

}  // namespace asworn::optics
