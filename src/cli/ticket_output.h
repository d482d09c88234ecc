// SPDX-License-Identifier: Apache-2.0
#pragma once
// How a computed ticket is written: tab-separated lines or one JSON object.

#include <iosfwd>
#include <string>
#include <string_view>

#include "compensation_engine.h"
#include "ordered_ticket.h"

namespace asworn::cli {

struct TicketOutputOptions {
  optics::OrderSettings order;  // which lens the ticket orders, how tilt and wrap are read
  bool json = false;
  bool detail = false;
  bool asWorn = false;  // add the exact as-worn check of both eyes
  std::string source;   // the patient file it came from; empty for the default job sheet
  // The user's, for the lines people read; JSON always has a full stop.
  std::string decimalSeparator = ".";
};

// The ticket of the lens ordered, with an "order" line (key) "exact" for the exact order; the
// as-worn check is the one made with that order.
void WriteTicket(std::ostream& out, const ComputedTicket& computed,
                 const ordering::OrderedTicket& ordered, const TicketOutputOptions& options);

// A text on one line: tab, CR, LF and backslash written as \t, \r, \n and \\.
std::string EscapedText(std::string_view text);

// A fault on one line, led by the name of the field it names first: "odsph: The right ...".
std::string FaultLine(const ComputeFault& fault);

}  // namespace asworn::cli
