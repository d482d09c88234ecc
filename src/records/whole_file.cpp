// SPDX-License-Identifier: Apache-2.0
#include "whole_file.h"

#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#endif

namespace asworn {

#ifdef Q_OS_UNIX
WholeFileRead ReadRegularFile(const QString& path, qint64 maxSize) {
  return ReadRegularFileAt(QFile::encodeName(path), maxSize);
}

namespace {

// Reads the open file `fd` whole and closes it.
WholeFileRead ReadOpenFile(int fd, qint64 maxSize) {
  if (fd < 0) return {std::nullopt, QString::fromLocal8Bit(std::strerror(errno))};
  WholeFileRead result;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    result.error = QString::fromLocal8Bit(std::strerror(errno));
  } else if (!S_ISREG(status.st_mode)) {
    result.error = QStringLiteral("it is not a regular file");
  } else if (status.st_size > maxSize) {
    result.error = QStringLiteral("it is larger than %1 bytes").arg(maxSize);
  } else {
    result.modifiedMs = qint64{status.st_mtim.tv_sec} * 1000 + status.st_mtim.tv_nsec / 1'000'000;
    // Room for one byte more than the file has, so that its end shows without another read
    // only when it grows meanwhile.
    QByteArray bytes(status.st_size + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
      if (have == bytes.size()) bytes.resize(std::min<qint64>(maxSize + 1, have * 2));
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
      if (have > maxSize) {
        result.error = QStringLiteral("it grew larger than %1 bytes while being read").arg(maxSize);
        break;
      }
    }
  }
  ::close(fd);
  return result;
}

constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

}  // namespace

WholeFileRead ReadRegularFileAt(const QByteArray& nativePath, qint64 maxSize) {
  return ReadOpenFile(::open(nativePath.constData(), kOpenFlags), maxSize);
}

WholeFileRead ReadRegularFileIn(int folder, const char* name, qint64 maxSize) {
  return ReadOpenFile(::openat(folder, name, kOpenFlags), maxSize);
}
#else
WholeFileRead ReadRegularFile(const QString& path, qint64 maxSize) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, file.errorString()};
  QByteArray bytes = file.read(maxSize + 1);
  if (bytes.size() > maxSize)
    return {std::nullopt,
            QStringLiteral("it grew larger than %1 bytes while being read").arg(maxSize)};
  if (file.error() != QFileDevice::NoError) return {std::nullopt, file.errorString()};
  return {std::move(bytes), {}};
}

WholeFileRead ReadRegularFileAt(const QByteArray& nativePath, qint64 maxSize) {
  return ReadRegularFile(QFile::decodeName(nativePath), maxSize);
}
#endif

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  // Unbuffered, so that a short write (full disk, size limit) shows at once: buffered, the
  // shortfall surfaces only inside commit(), which then still renames the cut-off file over
  // the old one.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
  for (qsizetype done = 0; done < bytes.size();) {
    const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0) {
      QString reason = file.error() != QFileDevice::NoError
                           ? file.errorString()
                           : QStringLiteral("the file could not be written whole");
      file.cancelWriting();
      return reason;
    }
    done += n;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace asworn
