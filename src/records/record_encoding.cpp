// SPDX-License-Identifier: Apache-2.0
#include "record_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace asworn {
namespace {

constexpr char kWindows1252[] = "windows-1252";

// Qt reaches Windows-1252 through ICU; a Qt built without it falls back to Latin-1, the same
// code page without the characters of bytes 80 to 9F.
QStringEncoder SingleByteEncoder() {
  QStringEncoder encoder(kWindows1252, QStringConverter::Flag::Stateless);
  if (!encoder.isValid())
    encoder = QStringEncoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
  return encoder;
}

QStringDecoder SingleByteDecoder() {
  QStringDecoder decoder(kWindows1252, QStringConverter::Flag::Stateless);
  if (!decoder.isValid())
    decoder = QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
  return decoder;
}

}  // namespace

QByteArray EncodeRecordText(const QString& text) {
  QStringEncoder single = SingleByteEncoder();
  QByteArray bytes = single.encode(text);
  if (!single.hasError() && DecodeRecordBytes(bytes) == text) return bytes;
  return text.toUtf8();
}

QString DecodeRecordBytes(QByteArrayView bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder single = SingleByteDecoder();
  return single.decode(bytes);
}

EncodedRecord EncodeRecord(const PatientRecord& record) {
  if (std::optional<QString> problem = RecordProblem(record)) return {std::nullopt, *problem};
  const QString line = QString::fromStdString(JoinRecordLine(record));
  QByteArray bytes = EncodeRecordText(line);
  if (DecodeRecordBytes(bytes) != line)
    return {std::nullopt, QStringLiteral("the first name begins with an invisible byte order "
                                         "mark, which would be lost on loading")};
  if (bytes.size() > kMaxRecordFileSize) {
    const auto longest =
        std::max_element(kJobSheetFields.begin(), kJobSheetFields.end(),
                         [&](const FieldInfo& a, const FieldInfo& b) {
                           return record[IndexOf(a.field)].size() < record[IndexOf(b.field)].size();
                         });
    return {std::nullopt,
            QStringLiteral("the record would be %1 bytes long, more than the %2 bytes a patient "
                           "file can hold, so it could never be loaded back; shorten %3")
                .arg(bytes.size())
                .arg(kMaxRecordFileSize)
                .arg(SpokenFieldList({longest->field}))};
  }
  return {std::move(bytes), {}};
}

std::vector<std::string> DecodeRecordItems(QByteArrayView bytes) {
  return CutRecordItems(DecodeRecordBytes(bytes).toStdString());
}

}  // namespace asworn
