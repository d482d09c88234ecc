// SPDX-License-Identifier: Apache-2.0
#include "dcs_records.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace asworn::exchange {
namespace {

bool IsFramingByte(char c) {
  return c == '\x1c' || c == '\x1d' || c == '\x04';
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Sign, digits, at most one full stop, at least one digit: nothing from_chars would also
// take ("inf", "1e5", hexadecimal).
bool IsPlainDecimal(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  bool digit = false;
  bool stop = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digit = true;
    } else if (text[i] == '.' && !stop) {
      stop = true;
    } else {
      return false;
    }
  }
  return digit;
}

// "-.75" as "-0.75" and "1." as "1": the forms every number reader takes.
std::string CanonicalDecimal(std::string_view text) {
  std::string out;
  if (text.front() == '-') {
    out += '-';
    text.remove_prefix(1);
  }
  const auto stop = text.find('.');
  const std::string_view whole = text.substr(0, stop);
  const std::string_view fraction =
      stop == std::string_view::npos ? std::string_view() : text.substr(stop + 1);
  out += whole.empty() ? "0" : whole;
  if (!fraction.empty()) out.append(".").append(fraction);
  return out;
}

void AddRecord(std::vector<DcsRecord>& records, std::string_view line) {
  if (IsBlank(line)) return;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) {
    records.push_back({std::string(line), std::nullopt});
    return;
  }
  records.push_back({std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
}

}  // namespace

std::vector<DcsRecord> ReadDcs(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);  // a byte order mark
  std::vector<DcsRecord> records;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      AddRecord(records, line);
      line.clear();
    } else if (!IsFramingByte(c)) {
      line.push_back(c);
    }
  }
  AddRecord(records, line);
  return records;
}

std::string WriteDcs(const std::vector<DcsRecord>& records) {
  std::string out;
  for (const DcsRecord& record : records) {
    out += record.label;
    if (record.value) {
      out += '=';
      out += *record.value;
    }
    out += "\r\n";
  }
  return out;
}

std::string_view BareLabel(std::string_view label) {
  return Trimmed(label);
}

const DcsRecord* FindRecord(const std::vector<DcsRecord>& records, std::string_view label) {
  for (const DcsRecord& record : records)
    if (BareLabel(record.label) == label) return &record;
  return nullptr;
}

std::string_view EyeValue(std::string_view value, Eye side) {
  const auto semicolon = value.find(';');
  if (semicolon == std::string_view::npos) return value;
  return side == Eye::right ? value.substr(0, semicolon) : value.substr(semicolon + 1);
}

DcsNumber ReadDcsNumber(std::string_view field) {
  std::string_view text = Trimmed(field);
  if (text.empty() || text == "?") return {};
  if (!IsPlainDecimal(text)) return {DcsNumber::Kind::malformed, 0, std::string(text)};
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
    return {DcsNumber::Kind::malformed, 0, std::string(text)};
  if (value == -999) return {};
  return {DcsNumber::Kind::number, value, CanonicalDecimal(text)};
}

}  // namespace asworn::exchange
