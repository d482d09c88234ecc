// SPDX-License-Identifier: Apache-2.0
#pragma once
// The job sheet: the 21 texts an optician types in, and the table that names them.
// Everything is held as text exactly as typed; numbers exist only inside Compute.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace asworn {

// Canonical order: the focus order of the window and the item order of a patient file.
enum class Field : std::size_t {
  firstname,
  lastname,
  record,
  odsph,
  odcyl,
  odaxis,
  ossph,
  oscyl,
  osaxis,
  odbc,
  odn,
  oddiam,
  osbc,
  osn,
  osdiam,
  odrvd,
  odfvd,
  osrvd,
  osfvd,
  tilt,
  wrap,
};

inline constexpr std::size_t kFieldCount = 21;

struct FieldInfo {
  Field field;
  std::string_view name;         // the field's name in code, files and the command line
  std::string_view defaultText;  // what the field holds at start-up
  std::string_view spokenName;   // how an optician says it: "Right sphere"
  // How its tab captions it, the row's eye before the column's caption: "Right MBS". A
  // message that sends the optician to an entry names it so.
  std::string_view tabName;
};

// The one table of the 21 fields, in canonical order.
extern const std::array<FieldInfo, kFieldCount> kJobSheetFields;

constexpr std::size_t IndexOf(Field f) {
  return static_cast<std::size_t>(f);
}
const FieldInfo& InfoOf(Field f);
std::optional<Field> FindField(std::string_view name);

class JobSheet {
 public:
  // A job sheet holding the start-up texts.
  JobSheet();

  const std::string& operator[](Field f) const { return texts_[IndexOf(f)]; }
  std::string& operator[](Field f) { return texts_[IndexOf(f)]; }

  const std::array<std::string, kFieldCount>& Texts() const { return texts_; }
  friend bool operator==(const JobSheet&, const JobSheet&) = default;

 private:
  std::array<std::string, kFieldCount> texts_;
};

}  // namespace asworn
