// SPDX-License-Identifier: Apache-2.0
#include "record_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "read_file.h"
#include "record_encoding.h"
#include "record_names.h"
#include "write_file.h"

namespace asworn {
RecordReadResult PatientRecordOf(const QString& path, const WholeFileRead& raw) {
  const auto refused = [&](const QString& why) {
    return RecordReadResult{std::nullopt,
                            QStringLiteral("Could not read %1: %2.").arg(QuotedPath(path), why)};
  };
  if (!raw.bytes) return refused(raw.error);
  const QString text = DecodeRecordBytes(*raw.bytes);
  // The record is the first line; its items are checked before they are cut apart.
  for (const QChar c : text) {
    if (c == u'\r' || c == u'\n') break;
    if (IsForbiddenInRecord(c.unicode()))
      return refused(
          QStringLiteral("its record holds control characters, so it is not a patient file"));
  }
  return {CutRecordItems(text.toStdString()), {}};
}

RecordWriteResult WritePatientRecord(const QString& path, const PatientRecord& record) {
  const EncodedRecord encoded = EncodeRecord(record);
  if (!encoded.bytes)
    return {
        false,
        QStringLiteral("Nothing was written to %1: %2.").arg(QuotedPath(path), encoded.problem)};
  const QByteArray& bytes = *encoded.bytes;

  const QString error = ReplaceFileKeepingPermissions(path, bytes);
  if (!error.isEmpty())
    return {false, QStringLiteral("Could not write %1: %2.").arg(QuotedPath(path), error)};
  return {true, {}};
}

RecordReadResult ReadPatientRecord(const QString& path) {
  const QFileInfo info(path);
  const auto refused = [&](const QString& why) {
    return RecordReadResult{std::nullopt,
                            QStringLiteral("Could not read %1: %2.").arg(QuotedPath(path), why)};
  };
  if (!info.exists()) return refused(QStringLiteral("there is no such file"));
  if (info.isDir()) return refused(QStringLiteral("it is a folder, not a patient file"));
  if (!info.isFile())
    return refused(QStringLiteral("it is a device, pipe or socket, not a patient file"));
  if (info.size() > kMaxRecordFileSize)
    return refused(QStringLiteral("it is %1 bytes long, more than the %2 bytes a patient file "
                                  "can be, so it is not one")
                       .arg(info.size())
                       .arg(kMaxRecordFileSize));

  return PatientRecordOf(path, ReadRegularFile(path, kMaxRecordFileSize));
}

RecordReadResult ReadPatientRecordAt(const QByteArray& nativePath) {
  return PatientRecordOf(DecodeRecordBytes(nativePath),
                         ReadRegularFileAt(nativePath, kMaxRecordFileSize));
}

}  // namespace asworn
