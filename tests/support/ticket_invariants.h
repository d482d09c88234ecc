// SPDX-License-Identifier: Apache-2.0
#pragma once
// What every Compute must give, whatever the texts: either a whole work ticket that keeps
// the rules below, or a fault that names its cause, and nothing else.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "compensation_engine.h"
#include "parse_number.h"
#include "plausible_ranges.h"

namespace asworn::testing_support {

// The number a ticket text shows, read with a full stop as the decimal point.
inline double ReadBack(std::string text, std::string_view decimalSeparator) {
  if (!decimalSeparator.empty() && decimalSeparator != ".") {
    const std::size_t at = text.find(decimalSeparator);
    if (at != std::string::npos) text.replace(at, decimalSeparator.size(), ".");
  }
  return ParseLeadingNumber(text);
}

// `value` as its 15 significant digits give it back.
inline double FifteenDigits(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  return std::strtod(buffer, nullptr);
}

// A computed label must be plain decimal: an optional minus, digits, at most one separator
// and no trailing zero after it.
inline bool IsPlainDecimal(std::string text, std::string_view decimalSeparator) {
  const std::size_t at = text.find(decimalSeparator);
  if (at != std::string::npos) {
    if (text.back() == '0' || at + decimalSeparator.size() == text.size()) return false;
    text.erase(at, decimalSeparator.size());
  }
  if (!text.empty() && text[0] == '-') text.erase(0, 1);
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The first rule that `outcome` breaks, or an empty text.
inline std::string BrokenTicketRule(const JobSheet& sheet, const NumberFormat& format,
                                    const ComputeOutcome& outcome) {
  if (!outcome) {
    const ComputeFault& fault = outcome.error();
    if (fault.fields.empty()) return "the fault names no field: " + fault.message;
    if (fault.quantity.empty() || fault.message.empty()) return "the fault has no words";
    return "";
  }

  // A ticket comes only from values inside the plausible ranges, each one noted as read.
  for (const PlausibleRange& range : kPlausibleRanges) {
    const std::string name(InfoOf(range.field).name);
    const std::optional<double> read = outcome->readings[IndexOf(range.field)];
    if (!read) return name + " is missing from the readings";
    if (!(*read >= range.low && *read <= range.high))
      return name + " outside its range gave a ticket";
    const double lenient = ReadLeadingNumber(sheet[range.field]).value;
    if (*read != lenient && *read != 0) return name + " reads otherwise than its text";
  }

  const WorkTicket& ticket = outcome->ticket;
  const Compensation& c = outcome->compensation;
  for (const LabelInfo& info : kWorkTicketLabels)
    if (info.copyOf && ticket[info.label] != sheet[*info.copyOf])
      return std::string(info.name) + " is not a copy of its field";
  // A prism's size beside its base: "Base Out" exactly for one that rounds below zero.
  for (const auto& [base, rounded] :
       {std::pair{Label::odpb, c.prism.od.rounded}, std::pair{Label::ospb, c.prism.os.rounded}})
    if (ticket[base] != (rounded < 0 ? kBaseOut : kBaseIn))
      return std::string(InfoOf(base).name) + " does not match the sign of its prism";
  // Only lenses a lab can make.
  for (const RoundedRx* rx : {&c.odRounded, &c.osRounded})
    for (double power : {rx->sphere, rx->sphere + rx->cylinder})
      if (std::abs(power) > LimitOf(Result::compensatedPower).high + 0.005)
        return "a compensated power beyond the lab limit gave a ticket";
  for (double prism : {c.prism.od.rounded, c.prism.os.rounded})
    if (std::abs(prism) > LimitOf(Result::prism).high)
      return "a prism beyond the lab limit gave a ticket";

  for (const auto& [name, value] : DetailValues(c))
    if (!std::isfinite(value)) return name + " is not finite";
  for (const ResultantRx* rx : {&c.odRx, &c.osRx}) {
    if (rx->cylinder > 0) return "an unrounded cylinder is positive";
    if (!(rx->axis >= 0 && rx->axis <= 180)) return "an unrounded axis lies outside 0 to 180";
  }

  const std::pair<Label, double> shown[] = {{Label::odcsph, c.odRounded.sphere},
                                            {Label::odccyl, c.odRounded.cylinder},
                                            {Label::odcaxis, c.odRounded.axis},
                                            {Label::oscsph, c.osRounded.sphere},
                                            {Label::osccyl, c.osRounded.cylinder},
                                            {Label::oscaxis, c.osRounded.axis},
                                            {Label::odprism2, std::abs(c.prism.od.rounded)},
                                            {Label::osprism2, std::abs(c.prism.os.rounded)}};
  for (const auto& [label, value] : shown) {
    const std::string& text = ticket[label];
    const std::string name(InfoOf(label).name);
    if (!IsPlainDecimal(text, format.decimalSeparator))
      return name + " \"" + text + "\" is not a plain decimal number";
    const double read = ReadBack(text, format.decimalSeparator);
    // Rounded to 2 decimals, a value below 1e13 has at most 15 significant digits and its
    // text gives it back exactly; a larger one is shown to 15 significant digits.
    const double expected = std::abs(value) < 1e13 ? value : FifteenDigits(value);
    if (read != expected) {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.17g", value);
      return name + " \"" + text + "\" does not read back as " + buffer;
    }
  }
  for (Label cylinder : {Label::odccyl, Label::osccyl})
    if (ReadBack(ticket[cylinder], format.decimalSeparator) > 0)
      return std::string(InfoOf(cylinder).name) + " shows a plus cylinder";
  for (Label axis : {Label::odcaxis, Label::oscaxis}) {
    const double read = ReadBack(ticket[axis], format.decimalSeparator);
    if (!(read >= 0 && read <= 180))
      return std::string(InfoOf(axis).name) + " lies outside 0 to 180";
  }
  return "";
}

}  // namespace asworn::testing_support
