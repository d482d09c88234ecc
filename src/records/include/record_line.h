// SPDX-License-Identifier: Apache-2.0
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

// A patient file holds one short line; anything larger is not one (64 KiB). Save and Load
// share the limit, so that nothing is saved that cannot be loaded back.
inline constexpr qint64 kMaxRecordFileSize = qint64{64} * 1024;

// "t0,t1,...,t20,\r\n".
std::string JoinRecordLine(const PatientRecord& record);

// The items of a file's text. The record is its first line: a line end (CR LF, LF or CR) is
// never field text, and whatever follows it is not read. The line is cut at every comma;
// neighbouring commas give an empty item, and text behind the last comma is an item. The empty
// rest behind a final comma is not one: it is where the line ends, so a line written by
// JoinRecordLine gives exactly its 21 texts, and one of 20 texts with its final comma gives 20
// (an empty wrap would read as 0). An empty line gives no items.
std::vector<std::string> CutRecordItems(std::string_view text);

// A control character or a line or paragraph separator: none of them can stand in a one-line
// record, and a file holding one is not a patient file.
bool IsForbiddenInRecord(char32_t c);

// The fields whose texts hold a character that IsForbiddenInRecord, in canonical order.
std::vector<Field> FieldsHoldingControl(const PatientRecord& record);

// The fields whose texts hold a comma, in canonical order.
std::vector<Field> FieldsHoldingComma(const PatientRecord& record);

// Why `record` cannot be stored so that it reads back unchanged (a comma, a line break or
// another control character in a field, or a text that is not valid UTF-8), as a sentence
// fragment naming the fields; nothing when it can.
std::optional<QString> RecordProblem(const PatientRecord& record);

// The job sheet of items 0 to 20 (later items are ignored); nothing when there are fewer.
std::optional<JobSheet> SheetFromItems(const std::vector<std::string>& items);

// "Right sphere, Left MBS": the fields as their tabs caption them, for the optician to find.
QString SpokenFieldList(const std::vector<Field>& fields);

}  // namespace asworn
