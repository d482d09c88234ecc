#pragma once
// How a computed ticket is written: tab-separated lines or one JSON object.

#include <iosfwd>
#include <string>

#include "compensation_engine.h"

namespace asworn::cli {

struct TicketOutputOptions {
  bool json = false;
  bool detail = false;
  bool asWorn = false;  // add the exact as-worn check of both eyes
  std::string source;   // the patient file it came from; empty for the default job sheet
};

void WriteTicket(std::ostream& out, const JobSheet& sheet, const ComputeOutcome& outcome,
                 const TicketOutputOptions& options);

// Shortest text that reads back to the same double, for the intermediate values.
std::string ExactNumberText(double value);

}  // namespace asworn::cli
