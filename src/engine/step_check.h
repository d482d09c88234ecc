// SPDX-License-Identifier: Apache-2.0
#pragma once
// The arithmetic checks that stop a Compute, inside the engine only.
//
// Compute never lets an undefined number reach the ticket: a division by exactly zero or a
// result that is not finite stops it at that step, before any label is written. The step
// throws FaultSignal; Compute turns it into its result, so nothing outside the engine sees it.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <exception>
#include <initializer_list>
#include <string_view>
#include <vector>

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

class Checked;

// The checks of one step of Compute. `quantity` names what the step computes; the step's
// fields are those it reads, in the order it reads them, then `from`, the fields behind the
// results of earlier steps that it uses. Both go into the message when the step fails.
class StepCheck {
 public:
  // A step is made for every few operations of a Compute, so this only copies: Fields()
  // drops the repeats when a message needs them.
  StepCheck(const JobSheet& sheet, std::string_view quantity,
            std::initializer_list<Field> from = {})
      : sheet_(sheet), quantity_(quantity), fromCount_(std::min(from.size(), kFieldCount)) {
    std::copy_n(from.begin(), fromCount_, from_.begin());
  }

  // The value of `field` as Compute reads it (see field_reading.h), and the field noted.
  Checked Read(Field field) const;
  // A result of an earlier step, to compute with.
  Checked Number(double value) const;

  // The value itself; infinite or NaN fails.
  double Finite(double value) const {
    if (!std::isfinite(value)) [[unlikely]]
      Fail(FaultKind::arithmetic);
    return value;
  }
  // A number read from `field`; infinite fails as too large.
  double Reading(double value, Field field) const {
    if (!std::isfinite(value)) [[unlikely]]
      Fail(FaultKind::tooLarge, field);
    return value;
  }

  [[noreturn]] void Fail(FaultKind kind) const;
  [[noreturn]] void Fail(FaultKind kind, Field field) const;

 private:
  std::vector<Field> Fields() const;

  const JobSheet& sheet_;
  std::string_view quantity_;
  // Only the first `count` entries are set. A field is read at most once into `read_`, so
  // it cannot overflow; `from_` keeps the first fields of a longer list.
  mutable std::array<Field, kFieldCount> read_;
  mutable std::size_t readCount_ = 0;
  std::array<Field, kFieldCount> from_;
  std::size_t fromCount_;
};

// A number inside one step: every operation that divides by exactly zero or gives an
// infinite or undefined result stops the step, so formulas read as the optics are written.
class Checked {
 public:
  Checked(const StepCheck& check, double value) : check_(&check), value_(value) {}

  double Value() const { return value_; }
  // As a divisor, a zero of this number stops Compute with `kind`.
  Checked WhenZero(FaultKind kind) const {
    Checked c = *this;
    c.zeroKind_ = kind;
    return c;
  }

  friend Checked operator+(Checked a, Checked b) { return a.Made(a.value_ + b.value_); }
  friend Checked operator+(Checked a, double b) { return a.Made(a.value_ + b); }
  friend Checked operator+(double a, Checked b) { return b.Made(a + b.value_); }
  friend Checked operator-(Checked a, Checked b) { return a.Made(a.value_ - b.value_); }
  friend Checked operator-(Checked a, double b) { return a.Made(a.value_ - b); }
  friend Checked operator-(double a, Checked b) { return b.Made(a - b.value_); }
  friend Checked operator*(Checked a, Checked b) { return a.Made(a.value_ * b.value_); }
  friend Checked operator*(Checked a, double b) { return a.Made(a.value_ * b); }
  friend Checked operator*(double a, Checked b) { return b.Made(a * b.value_); }
  friend Checked operator/(Checked a, Checked b) { return a.Made(a.value_ / b.Divisor()); }
  friend Checked operator/(Checked a, double b) { return a.Made(a.value_ / a.Nonzero(b)); }
  friend Checked operator/(double a, Checked b) { return b.Made(a / b.Divisor()); }
  friend Checked Sqrt(Checked a) { return a.Made(std::sqrt(a.value_)); }

 private:
  struct Bound {};  // a result bound to the same step
  Checked(Bound /*unused*/, const StepCheck* check, double value) : check_(check), value_(value) {}
  Checked Made(double value) const { return Checked(Bound{}, check_, check_->Finite(value)); }
  double Divisor() const {
    if (value_ == 0.0) check_->Fail(zeroKind_);
    return value_;
  }
  double Nonzero(double divisor) const {
    if (divisor == 0.0) check_->Fail(FaultKind::arithmetic);
    return divisor;
  }

  const StepCheck* check_;
  double value_;
  FaultKind zeroKind_ = FaultKind::arithmetic;
};

}  // namespace asworn
