// SPDX-License-Identifier: Apache-2.0
#pragma once
// DCS ("OMA"/"VCA") records: the LABEL=value lines a lab management system exchanges with a
// lens design calculator. Reading keeps every record as it came, so an answer can hand the
// job back unchanged; only the records this program reads are interpreted.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eye_fields.h"

namespace asworn::exchange {

struct DcsRecord {
  std::string label;                 // everything before the first '='
  std::optional<std::string> value;  // everything after it; none for a line without '='

  friend bool operator==(const DcsRecord&, const DcsRecord&) = default;
};

// The records of a job file in file order. Lines end in CR LF, LF or a bare CR, mixed as
// they come; blank lines, serial framing bytes (FS, GS, EOT) and a byte order mark are
// dropped. Nothing else is trimmed: blanks are data.
std::vector<DcsRecord> ReadDcs(std::string_view bytes);

// The records as a file: "label=value" and CR LF after every one.
std::string WriteDcs(const std::vector<DcsRecord>& records);

// A record's label without the blanks some writers put around it ("SPH = -2.00"); the record
// itself keeps them, so that it is handed back as it came.
std::string_view BareLabel(std::string_view label);

// The first record whose bare label is exactly `label` (case-sensitive, never a prefix), or
// none.
const DcsRecord* FindRecord(const std::vector<DcsRecord>& records, std::string_view label);

// One eye's part of a per-eye value "right;left"; a value without ';' holds both eyes.
std::string_view EyeValue(std::string_view value, Eye eye);

// A numeric field: unknown when empty, "?" or -999; malformed when not a plain decimal
// (sign, digits, one full stop; a leading '+' is accepted, blanks around it are ignored).
struct DcsNumber {
  enum class Kind { unknown, number, malformed } kind = Kind::unknown;
  double value = 0;
  std::string text;  // the decimal as read, without blanks or '+', with a digit before and
                     // after any full stop: what Compute reads back exactly

  bool Known() const { return kind == Kind::number; }
};
DcsNumber ReadDcsNumber(std::string_view field);

}  // namespace asworn::exchange
