#pragma once
// Why a Compute stopped, and the arithmetic checks that stop it.
//
// Compute never lets an undefined number reach the ticket: a division by exactly zero or a
// result that is not finite stops it at that step, before any label is written.

#include <array>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job_sheet.h"

namespace asworn {

enum class Eye { right, left };

enum class FaultKind {
  indexNotNumber,  // the strict reading of a lens index failed
  indexAmbiguous,  // a lens index that the user's number format reads otherwise than the prism
  indexZero,       // an index of 0: the tilt factors divide by 2n
  indexOne,        // an index of 1: the lens thickness divides by n - 1
  notANumber,      // a field text in which no number can be read
  cutShort,        // a number read in part: digits stand after it ("2.5.1")
  decimalComma,    // likewise, cut at a comma ("-4,25")
  outOfRange,      // a value outside the field's plausible range
  vertexInfinite,  // 1 - d·F is exactly 0: the effective power at the fitted distance is infinite
  tooLarge,        // a field's number is too large for the arithmetic
  arithmetic,      // any other division by zero, overflow or invalid operation
};

struct ComputeFault {
  FaultKind kind;
  std::vector<Field> fields;  // the fields whose texts lead to the fault, most direct first
  std::string quantity;       // what was being computed, e.g. "right tangential factor"
  std::string message;        // for the optician, naming the fields and their texts
};

// Thrown inside the engine only; Compute turns it into its result.
class FaultSignal : public std::exception {
 public:
  explicit FaultSignal(ComputeFault fault) : fault_(std::move(fault)) {}
  const ComputeFault& Fault() const { return fault_; }
  const char* what() const noexcept override { return fault_.message.c_str(); }

 private:
  ComputeFault fault_;
};

std::string_view EyeName(Eye eye);  // "right" or "left"

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

// The optician's words for a fault, naming the fields and what they hold.
std::string FaultMessage(FaultKind kind, const std::vector<Field>& fields,
                         std::string_view quantity, const JobSheet& sheet);

}  // namespace asworn
