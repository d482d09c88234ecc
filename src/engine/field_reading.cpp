// SPDX-License-Identifier: Apache-2.0
#include "field_reading.h"

#include <algorithm>
#include <string_view>

#include "eye_fields.h"
#include "parse_number.h"
#include "plausible_ranges.h"

namespace asworn {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// Opticians write a zero power as a word: plano for a sphere or cylinder, DS (dioptre
// sphere) or SPH for a lens without cylinder.
bool IsZeroPowerWord(Field field, std::string_view text) {
  while (!text.empty() && IsEntryBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsEntryBlank(text.back())) text.remove_suffix(1);
  const bool sphere =
      std::ranges::any_of(kEyeFields, [&](const EyeFields& e) { return e.sph == field; });
  const bool cylinder =
      std::ranges::any_of(kEyeFields, [&](const EyeFields& e) { return e.cyl == field; });
  if (!sphere && !cylinder) return false;
  if (SameLetters(text, "PL") || SameLetters(text, "Plano")) return true;
  return cylinder && (SameLetters(text, "DS") || SameLetters(text, "SPH"));
}

thread_local std::array<std::optional<double>, kFieldCount>* tlReadings = nullptr;
thread_local const NumberFormat* tlFormat = nullptr;

bool IsBlankOnly(std::string_view text) {
  return std::ranges::all_of(text, IsEntryBlank);
}

const NumberFormat kFullStopFormat{".", ""};

}  // namespace

std::optional<double> NotedReading(Field field) {
  if (!tlReadings) return std::nullopt;
  return (*tlReadings)[IndexOf(field)];
}

const NumberFormat& ReadingFormat() {
  return tlFormat ? *tlFormat : kFullStopFormat;
}

double InRange(const StepCheck& check, Field field, double value) {
  const PlausibleRange* range = RangeOf(field);
  if (range && !(value >= range->low && value <= range->high))
    check.Fail(FaultKind::outOfRange, field);
  if (tlReadings) (*tlReadings)[IndexOf(field)] = value;
  return value;
}

ReadingRecorder::ReadingRecorder(std::array<std::optional<double>, kFieldCount>& values,
                                 const NumberFormat& format)
    : previous_(tlReadings), previousFormat_(tlFormat) {
  tlReadings = &values;
  tlFormat = &format;
}

ReadingRecorder::~ReadingRecorder() {
  tlReadings = previous_;
  tlFormat = previousFormat_;
}

double ReadField(const StepCheck& check, const JobSheet& sheet, Field field) {
  // Within one Compute a text reads the same every time: a value noted once is reused.
  if (tlReadings)
    if (const std::optional<double>& noted = (*tlReadings)[IndexOf(field)]) return *noted;
  const std::string& text = sheet[field];
  if (IsZeroPowerWord(field, text)) return InRange(check, field, 0.0);
  // A forgotten entry is not a zero: a plano order or a flat base curve must be written.
  if (IsBlankOnly(text)) check.Fail(FaultKind::empty, field);
  // Most entries hold no comma: they are read as they stand, without a copy.
  std::optional<std::string> plain;
  std::string_view reading = text;
  if (text.find(',') != std::string::npos) {
    plain = WithFullStop(text, ReadingFormat());
    if (!plain) check.Fail(FaultKind::separatorsMixed, field);
    reading = *plain;
  }
  const LeadingNumber number = ReadLeadingNumber(reading);
  if (!number.found) check.Fail(FaultKind::notANumber, field);
  if (number.restHoldsDigit)
    check.Fail(number.restStartsWithComma ? FaultKind::decimalComma : FaultKind::cutShort, field);
  if (number.restStartsWithSign) check.Fail(FaultKind::signAfter, field);
  return InRange(check, field, check.Reading(number.value, field));
}

}  // namespace asworn
