// SPDX-License-Identifier: Apache-2.0
#include "fault_message.h"

#include <algorithm>
#include <cmath>

#include "field_reading.h"
#include "number_text.h"
#include "parse_number.h"
#include "plausible_ranges.h"
#include "step_check.h"

namespace asworn {
namespace {

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

// "right lens index" from "Right lens index".
std::string Lower(std::string_view spoken) {
  std::string s(spoken);
  if (!s.empty() && s[0] >= 'A' && s[0] <= 'Z') s[0] = static_cast<char>(s[0] - 'A' + 'a');
  return s;
}

std::string Capitalised(std::string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

// "the right sphere "+100"" or "the right sphere (empty)".
std::string FieldWithText(Field f, const JobSheet& sheet) {
  const std::string& text = sheet[f];
  std::string words = "the " + Lower(InfoOf(f).tabName);
  words += text.empty() ? std::string(" (empty)") : ' ' + Quoted(text);
  return words;
}

std::string FieldList(const std::vector<Field>& fields, const JobSheet& sheet) {
  std::string list;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) list += (i + 1 == fields.size()) ? " and " : ", ";
    list += FieldWithText(fields[i], sheet);
  }
  return list;
}

}  // namespace

std::string_view EyeName(Eye eye) {
  return eye == Eye::right ? "right" : "left";
}

std::string FaultMessage(FaultKind kind, const std::vector<Field>& fields,
                         std::string_view quantity, const JobSheet& sheet) {
  const Field first = fields.empty() ? Field::wrap : fields.front();
  const std::string name = Lower(InfoOf(first).tabName);
  const std::string& text = sheet[first];
  switch (kind) {
    case FaultKind::indexNotNumber:
      if (std::ranges::all_of(text, IsEntryBlank))
        return "The " + name + " is empty. Enter the refractive index of the lens material, " +
               "such as 1.586.";
      return "The " + name + " " + Quoted(text) + " is not a number. Enter the refractive " +
             "index of the lens material, such as 1.586.";
    case FaultKind::indexAmbiguous:
      return "The " + name + " " + Quoted(text) + " reads as " +
             "a different number in this computer's number format than in the prism " +
             "calculation, which takes a full stop as the decimal point. Write the index with " +
             "a full stop and no group separators, such as 1.586.";
    case FaultKind::indexZero:
      return "The " + name + " " + Quoted(text) + " is an index of 0, which cannot be used. " +
             "Enter the refractive index of the lens material, such as 1.586.";
    case FaultKind::indexOne:
      return "The " + name + " " + Quoted(text) + " is an index of 1, which cannot be used: " +
             "a lens of index 1 bends no light. Enter the refractive index of the lens " +
             "material, such as 1.586.";
    case FaultKind::empty: {
      const bool power = name.ends_with("sphere") || name.ends_with("cylinder");
      return "The " + name + " is empty. Every prescription, lens and fitting entry must be " +
             "filled in" + (power ? std::string("; write a power of zero as 0 or PL.") : ".");
    }
    case FaultKind::notANumber:
      return "The " + name + " " + Quoted(text) + " holds no number that can be read. " +
             "Enter it in figures, such as 13.5 or -4.25.";
    case FaultKind::cutShort:
      return "The " + name + " " + Quoted(text) + " can be read only in part, as " +
             NumberText(ReadLeadingNumber(WithFullStop(text, ReadingFormat()).value_or(text)).value,
                        ReadingFormat().decimalSeparator) +
             ". Check this entry.";
    case FaultKind::decimalComma: {
      std::string fullStop = text;
      if (const std::size_t at = fullStop.find(','); at != std::string::npos) fullStop[at] = '.';
      return "The " + name + " " + Quoted(text) + " has a decimal comma. Write decimals " +
             "with a full stop: " + Quoted(fullStop) + ".";
    }
    case FaultKind::separatorsMixed:
      return "The " + name + " " + Quoted(text) + " holds a comma beside a full stop or a " +
             "second comma, and could be read more than one way. Write it with one decimal " +
             "separator and no group separators, such as -6.25.";
    case FaultKind::signAfter:
      return "The " + name + " " + Quoted(text) + " has a sign after the number. Write the " +
             "sign in front of it, such as -4.25.";
    case FaultKind::outOfRange: {
      const PlausibleRange* range = RangeOf(first);
      const std::string limits = range ? std::string(range->text) : std::string();
      return "The " + name + " " + Quoted(text) + " is outside the range " + limits +
             ". Check this entry.";
    }
    case FaultKind::vertexPastFocus:
      return "The change of vertex distance reaches the focal point of the " +
             std::string(quantity) + ": with " + FieldList(fields, sheet) +
             ", no lens at the fitted distance has the power of the prescription. Check " +
             "these entries.";
    case FaultKind::tooLarge:
      return Capitalised(FieldWithText(first, sheet)) + " is too large a number to compute " +
             "with. Check this entry.";
    case FaultKind::beyondLabLimit:
    case FaultKind::arithmetic:
      break;
  }
  return "Compute stopped at the " + std::string(quantity) +
         ", which comes out infinite or undefined (a division by zero or an overflow). Check " +
         FieldList(fields, sheet) + ".";
}

std::string LimitMessage(std::string_view quantity, double value, std::string_view limits,
                         const std::vector<Field>& fields, const JobSheet& sheet) {
  return "The " + std::string(quantity) + " comes out at " + NumberText(value) + ", beyond the " +
         std::string(limits) + " a lab can make. Check " + FieldList(fields, sheet) + ".";
}

Checked StepCheck::Read(Field field) const {
  const double value = ReadField(*this, sheet_, field);
  if (std::find(read_.begin(), read_.begin() + readCount_, field) == read_.begin() + readCount_)
    read_[readCount_++] = field;
  return {*this, value};
}

Checked StepCheck::Number(double value) const {
  return {*this, value};
}

std::vector<Field> StepCheck::Fields() const {
  std::vector<Field> fields(read_.begin(), read_.begin() + readCount_);
  for (std::size_t i = 0; i < fromCount_; ++i)
    if (std::find(fields.begin(), fields.end(), from_[i]) == fields.end())
      fields.push_back(from_[i]);
  return fields;
}

void StepCheck::Fail(FaultKind kind) const {
  std::vector<Field> fields = Fields();
  std::string message = FaultMessage(kind, fields, quantity_, sheet_);
  throw FaultSignal({kind, std::move(fields), std::string(quantity_), std::move(message)});
}

void StepCheck::Fail(FaultKind kind, Field field) const {
  std::vector<Field> fields{field};
  std::string message = FaultMessage(kind, fields, quantity_, sheet_);
  throw FaultSignal({kind, std::move(fields), std::string(quantity_), std::move(message)});
}

}  // namespace asworn
