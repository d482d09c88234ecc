#pragma once
// Compute: from the 21 texts of a job sheet to the work ticket, or to the fault that
// stopped it. Every number is computed before any label text is made, so a Compute either
// gives a whole ticket or nothing.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "angles.h"
#include "compute_fault.h"
#include "job_sheet.h"
#include "number_format.h"
#include "prism.h"
#include "resultant_rx.h"
#include "tilt_factors.h"
#include "vertex.h"
#include "work_ticket.h"

namespace asworn {

// Every number of one Compute, in the order it is computed.
struct Compensation {
  Radians radians;
  TiltFactors factors;
  Angles angles;
  VertexResult odVertex, osVertex;
  ResultantRx odRx, osRx;
  RoundedRx odRounded, osRounded;
  Prism prism;
};

// All the computation; throws FaultSignal at the first step that fails.
Compensation Compensate(const JobSheet& sheet, const NumberFormat& format);

// The ticket of a finished compensation: 13 copies, six compensated values, two prisms,
// and the two fixed "Base In" labels.
WorkTicket FillWorkTicket(const JobSheet& sheet, const Compensation& compensation,
                          std::string_view decimalSeparator);

struct ComputeOutcome {
  std::optional<WorkTicket> ticket;          // set when Compute finished
  std::optional<Compensation> compensation;  // likewise
  std::optional<ComputeFault> fault;         // set when it stopped

  bool Succeeded() const { return ticket.has_value(); }
};

ComputeOutcome Compute(const JobSheet& sheet, const NumberFormat& format = {});

// The named intermediate values, for checking a result by hand.
std::vector<std::pair<std::string, double>> DetailValues(const Compensation& compensation);

}  // namespace asworn
