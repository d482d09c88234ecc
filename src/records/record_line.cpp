#include "record_line.h"

#include <QStringDecoder>

namespace asworn {
namespace {

bool IsValidUtf8(std::string_view text) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                  QStringConverter::Flag::ConvertInitialBom);
  // decode() is lazy: the text must be made for the decoder to look at the bytes.
  // cppcheck-suppress unreadVariable
  const QString decoded =
      utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return !utf8.hasError();
}

}  // namespace

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
  std::vector<std::string> items;
  if (text.empty()) return items;
  for (;;) {
    const std::size_t comma = text.find(',');
    items.emplace_back(text.substr(0, comma));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return items;
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
  std::vector<Field> garbled;
  for (const FieldInfo& info : kJobSheetFields)
    if (!IsValidUtf8(record[IndexOf(info.field)])) garbled.push_back(info.field);
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
    list +=
        QString::fromUtf8(info.spokenName.data(), static_cast<qsizetype>(info.spokenName.size()));
  }
  return list;
}

}  // namespace asworn
