#pragma once
// The one line of a patient file: the 21 texts in canonical order, each followed by a comma,
// then CR LF. Items are neither quoted nor escaped, so a comma inside a text cannot be stored.

#include <QString>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job_sheet.h"

namespace asworn {

// The 21 texts a patient file holds, in canonical order (UTF-8).
using PatientRecord = std::array<std::string, kFieldCount>;

inline constexpr std::string_view kRecordLineEnd = "\r\n";

// "t0,t1,...,t20,\r\n".
std::string JoinRecordLine(const PatientRecord& record);

// The items of a file's text, cut at every comma: neighbouring commas give an empty item, the
// text behind the last comma is an item even when empty, and an empty text gives no items.
// A line written by JoinRecordLine gives 22 items, the last one the line end alone.
std::vector<std::string> CutRecordItems(std::string_view text);

// The fields whose texts hold a comma, in canonical order.
std::vector<Field> FieldsHoldingComma(const PatientRecord& record);

// Why `record` cannot be stored so that it reads back unchanged (a comma in a field, or a
// text that is not valid UTF-8), as a sentence fragment naming the fields; nothing when it can.
std::optional<QString> RecordProblem(const PatientRecord& record);

// The job sheet of items 0 to 20 (later items are ignored); nothing when there are fewer.
std::optional<JobSheet> SheetFromItems(const std::vector<std::string>& items);

// "Right sphere, Left axis": the fields as the optician names them.
QString SpokenFieldList(const std::vector<Field>& fields);

}  // namespace asworn
