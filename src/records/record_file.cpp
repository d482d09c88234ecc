#include "record_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "record_encoding.h"
#include "record_names.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace asworn {
namespace {

struct RawRead {
  std::optional<QByteArray> bytes;
  QString error;
};

#ifdef Q_OS_UNIX
// Opens without blocking (a pipe put in place after the check must not hang the reader) and
// checks again on the open file that it is a regular one of acceptable size.
RawRead ReadSmallRegularFile(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return {std::nullopt, QString::fromLocal8Bit(std::strerror(errno))};
  RawRead result;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    result.error = QString::fromLocal8Bit(std::strerror(errno));
  } else if (!S_ISREG(status.st_mode)) {
    result.error = QStringLiteral("it is not a regular file");
  } else {
    QByteArray bytes(kMaxRecordFileSize + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
      const ssize_t n = ::read(fd, bytes.data() + have, static_cast<size_t>(bytes.size() - have));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        break;
      }
      if (n == 0) {
        bytes.truncate(have);
        result.bytes = std::move(bytes);
        break;
      }
      have += n;
      if (have > kMaxRecordFileSize) {
        result.error =
            QStringLiteral("it grew larger than %1 bytes while being read").arg(kMaxRecordFileSize);
        break;
      }
    }
  }
  ::close(fd);
  return result;
}
#else
RawRead ReadSmallRegularFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, file.errorString()};
  QByteArray bytes = file.read(kMaxRecordFileSize + 1);
  if (bytes.size() > kMaxRecordFileSize)
    return {
        std::nullopt,
        QStringLiteral("it grew larger than %1 bytes while being read").arg(kMaxRecordFileSize)};
  if (file.error() != QFileDevice::NoError) return {std::nullopt, file.errorString()};
  return {std::move(bytes), {}};
}
#endif

}  // namespace

RecordWriteResult WritePatientRecord(const QString& path, const PatientRecord& record) {
  const EncodedRecord encoded = EncodeRecord(record);
  if (!encoded.bytes)
    return {
        false,
        QStringLiteral("Nothing was written to %1: %2.").arg(QuotedPath(path), encoded.problem)};
  const QByteArray& bytes = *encoded.bytes;

  // Unbuffered, so that a short write (full disk, size limit) shows at once: buffered, the
  // shortfall surfaces only inside commit(), which then still renames the cut-off file over
  // the old one.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return {false,
            QStringLiteral("Could not write %1: %2.").arg(QuotedPath(path), file.errorString())};
  for (qsizetype done = 0; done < bytes.size();) {
    const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0) {
      const QString reason = file.error() != QFileDevice::NoError
                                 ? file.errorString()
                                 : QStringLiteral("the file could not be written whole");
      file.cancelWriting();
      return {false, QStringLiteral("Could not write %1: %2.").arg(QuotedPath(path), reason)};
    }
    done += n;
  }
  if (!file.commit())
    return {false,
            QStringLiteral("Could not write %1: %2.").arg(QuotedPath(path), file.errorString())};
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

  const RawRead raw = ReadSmallRegularFile(path);
  if (!raw.bytes) return refused(raw.error);
  std::vector<std::string> items = DecodeRecordItems(*raw.bytes);
  for (const std::string& item : items) {
    const QString text = QString::fromStdString(item);
    if (std::any_of(text.cbegin(), text.cend(),
                    [](QChar c) { return IsForbiddenInRecord(c.unicode()); }))
      return refused(
          QStringLiteral("its record holds control characters, so it is not a patient file"));
  }
  return {std::move(items), {}};
}

}  // namespace asworn
