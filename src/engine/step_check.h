#pragma once
// The arithmetic checks that stop a Compute, inside the engine only.
//
// Compute never lets an undefined number reach the ticket: a division by exactly zero or a
// result that is not finite stops it at that step, before any label is written. The step
// throws FaultSignal; Compute turns it into its result, so nothing outside the engine sees it.

#include <array>
#include <exception>
#include <initializer_list>
#include <string_view>

#include "compute_fault.h"
#include "job_sheet.h"

namespace asworn {

// Thrown inside the engine only; Compute turns it into its result.
class FaultSignal : public std::exception {
 public:
  explicit FaultSignal(ComputeFault fault) : fault_(std::move(fault)) {}
  const ComputeFault& Fault() const { return fault_; }
  const char* what() const noexcept override { return fault_.message.c_str(); }

 private:
  ComputeFault fault_;
};

// The checks of one step of Compute. `quantity` names what the step computes, `fields`
// the entries it comes from; both go into the message when the step fails.
class StepCheck {
 public:
  StepCheck(const JobSheet& sheet, std::string_view quantity, std::initializer_list<Field> fields);

  // num / den; a divisor of exactly zero fails with `zeroKind`.
  double Divide(double num, double den, FaultKind zeroKind = FaultKind::arithmetic) const;
  // The value itself; infinite or NaN fails.
  double Finite(double value) const;
  // A number read from `field`; infinite fails as too large.
  double Reading(double value, Field field) const;

  [[noreturn]] void Fail(FaultKind kind) const;
  [[noreturn]] void Fail(FaultKind kind, Field field) const;

 private:
  const JobSheet& sheet_;
  std::string_view quantity_;
  std::array<Field, 6> fields_{};  // no step draws on more than a few fields
  std::size_t fieldCount_ = 0;
};

}  // namespace asworn
