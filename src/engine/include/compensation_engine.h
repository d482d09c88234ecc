// SPDX-License-Identifier: Apache-2.0
#pragma once
// Compute: from the 21 texts of a job sheet to the work ticket, or to the fault that
// stopped it. Every number is computed before any label text is made, so a Compute either
// gives a whole ticket or nothing.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "compensation.h"
#include "compute_fault.h"
#include "job_sheet.h"
#include "number_format.h"
#include "work_ticket.h"

namespace asworn {

// Writes the ticket of a finished compensation: 13 copies, six compensated values, two
// prism sizes and their base directions, "Base In" or "Base Out".
void FillWorkTicket(WorkTicket& ticket, const JobSheet& sheet, const Compensation& compensation,
                    std::string_view decimalSeparator);

// The value Compute read from each numeric field (by Field index); none for the names and
// the record number.
using FieldValues = std::array<std::optional<double>, kFieldCount>;

// A finished Compute.
struct ComputedTicket {
  WorkTicket ticket;
  Compensation compensation;  // every number behind the ticket
  FieldValues readings;       // the entries as read: prescription, lens, fitting
};

// What Compute gives: the ticket, or the fault that stopped it; never both, never neither.
class ComputeOutcome {
 public:
  explicit ComputeOutcome(ComputedTicket&& computed) : result_(std::move(computed)) {}
  explicit ComputeOutcome(ComputeFault&& fault) : result_(std::move(fault)) {}

  bool Succeeded() const { return std::holds_alternative<ComputedTicket>(result_); }
  explicit operator bool() const { return Succeeded(); }

  // The ticket; throws std::bad_variant_access after a fault.
  const ComputedTicket& value() const { return std::get<ComputedTicket>(result_); }
  const ComputedTicket& operator*() const { return value(); }
  const ComputedTicket* operator->() const { return &value(); }
  // The fault; throws std::bad_variant_access after a ticket.
  const ComputeFault& error() const { return std::get<ComputeFault>(result_); }

 private:
  // A start-up ticket, for Compute to fill in place: moving 23 texts costs more than
  // writing them.
  ComputeOutcome() = default;
  friend ComputeOutcome Compute(const JobSheet& sheet, const NumberFormat& format);

  std::variant<ComputedTicket, ComputeFault> result_;
};

// The only way into the engine: never throws for any texts.
ComputeOutcome Compute(const JobSheet& sheet, const NumberFormat& format = {});

// The named intermediate values, for checking a result by hand.
std::vector<std::pair<std::string, double>> DetailValues(const Compensation& compensation);

}  // namespace asworn
