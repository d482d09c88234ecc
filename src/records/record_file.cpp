#include "record_file.h"

#include <QFile>
#include <QFileInfo>

#include "record_encoding.h"
#include "record_names.h"
#include "whole_file.h"

namespace asworn {
namespace {

QString Quoted(const QString& path) {
  return QStringLiteral("\"%1\"").arg(DisplayPath(path));
}

}  // namespace

RecordWriteResult WritePatientRecord(const QString& path, const PatientRecord& record) {
  const EncodedRecord encoded = EncodeRecord(record);
  if (!encoded.bytes)
    return {false,
            QStringLiteral("Nothing was written to %1: %2.").arg(Quoted(path), encoded.problem)};
  const QByteArray& bytes = *encoded.bytes;

  const QString error = WriteFileAtomically(path, bytes);
  if (!error.isEmpty())
    return {false, QStringLiteral("Could not write %1: %2.").arg(Quoted(path), error)};
  return {true, {}};
}

RecordReadResult ReadPatientRecord(const QString& path) {
  const QFileInfo info(path);
  const auto refused = [&](const QString& why) {
    return RecordReadResult{std::nullopt,
                            QStringLiteral("Could not read %1: %2.").arg(Quoted(path), why)};
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

  const WholeFileRead raw = ReadRegularFile(path, kMaxRecordFileSize);
  if (!raw.bytes) return refused(raw.error);
  return {DecodeRecordItems(*raw.bytes), {}};
}

}  // namespace asworn
