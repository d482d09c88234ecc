// SPDX-License-Identifier: Apache-2.0
#include "record_line.h"

#include <algorithm>

#include "qt_text.h"

namespace asworn {
std::string JoinRecordLine(const PatientRecord& record) {
  std::string line;
  for (const std::string& text : record) {
    line += text;
    line += ',';
  }
  line += kRecordLineEnd;
  return line;
}

std::vector<std::string> CutRecordItems(std::string_view text) {
  std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  std::vector<std::string> items;
  while (!line.empty()) {
    const std::size_t comma = line.find(',');
    items.emplace_back(line.substr(0, comma));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return items;
}

bool IsForbiddenInRecord(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

std::vector<Field> FieldsHoldingControl(const PatientRecord& record) {
  std::vector<Field> fields;
  for (const FieldInfo& info : kJobSheetFields) {
    const std::string& text = record[IndexOf(info.field)];
    // Every such character lies in the first plane, so the UTF-16 units tell.
    const QString decoded = ToQString(text);
    if (std::any_of(decoded.cbegin(), decoded.cend(),
                    [](QChar c) { return IsForbiddenInRecord(c.unicode()); }))
      fields.push_back(info.field);
  }
  return fields;
}

std::vector<Field> FieldsHoldingComma(const PatientRecord& record) {
  std::vector<Field> fields;
  for (const FieldInfo& info : kJobSheetFields)
    if (record[IndexOf(info.field)].find(',') != std::string::npos) fields.push_back(info.field);
  return fields;
}

std::optional<QString> RecordProblem(const PatientRecord& record) {
  if (const std::vector<Field> commas = FieldsHoldingComma(record); !commas.empty())
    return QStringLiteral(
               "a comma cannot be stored in a patient file (on loading it would shift every "
               "later field), and %1 %2 one; remove the comma and save again")
        .arg(SpokenFieldList(commas),
             commas.size() == 1 ? QStringLiteral("holds") : QStringLiteral("hold"));
  if (const std::vector<Field> controls = FieldsHoldingControl(record); !controls.empty())
    return QStringLiteral(
               "%1 %2 a line break or another control character, which would split the "
               "one-line record; remove it and save again")
        .arg(SpokenFieldList(controls),
             controls.size() == 1 ? QStringLiteral("holds") : QStringLiteral("hold"));
  std::vector<Field> garbled;
  for (const FieldInfo& info : kJobSheetFields)
    if (!DecodeUtf8(record[IndexOf(info.field)])) garbled.push_back(info.field);
  if (!garbled.empty())
    return QStringLiteral("%1 %2 text that is not valid UTF-8")
        .arg(SpokenFieldList(garbled),
             garbled.size() == 1 ? QStringLiteral("holds") : QStringLiteral("hold"));
  return std::nullopt;
}

std::optional<JobSheet> SheetFromItems(const std::vector<std::string>& items) {
  if (items.size() < kFieldCount) return std::nullopt;
  JobSheet sheet;
  for (const FieldInfo& info : kJobSheetFields) sheet[info.field] = items[IndexOf(info.field)];
  return sheet;
}

QString SpokenFieldList(const std::vector<Field>& fields) {
  QString list;
  for (const Field field : fields) {
    if (!list.isEmpty()) list += QStringLiteral(", ");
    const FieldInfo& info = InfoOf(field);
    list += ToQString(info.tabName);
  }
  return list;
}

}  // namespace asworn
