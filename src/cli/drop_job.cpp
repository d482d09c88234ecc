// SPDX-License-Identifier: Apache-2.0
#include "drop_job.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace asworn::cli {
namespace {

bool IsText(const QByteArray& bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n' && byte != 0x1c &&
            byte != 0x1d && byte != 0x04) ||
           byte == 0x7f;
  });
}

QString SystemError() {
  return QString::fromLocal8Bit(std::strerror(errno));
}

mode_t CurrentUmask() {
  static const mode_t mask = [] {
    const mode_t current = ::umask(0);
    ::umask(current);
    return current;
  }();
  return mask;
}

DropJobRead NotRegular() {
  return {std::nullopt, false, QStringLiteral("not a regular file")};
}

}  // namespace

std::optional<struct stat> StatusOf(const QString& path) {
  struct stat status {};
  if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
  return status;
}

DropJobRead ReadDropJob(const QString& path, qint64 maxSize) {
  // Looked at before opening, so that a device is never opened; checked again once open, in
  // case something else was put in its place meanwhile.
  const std::optional<struct stat> before = StatusOf(path);
  if (before && !S_ISREG(before->st_mode)) return NotRegular();

  const int fd = ::open(QFile::encodeName(path).constData(),
                        O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ELOOP) return NotRegular();
    return {std::nullopt, true, QStringLiteral("unreadable: ") + SystemError()};
  }
  DropJobRead result;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    result.reason = QStringLiteral("unreadable: ") + SystemError();
  } else if (!S_ISREG(status.st_mode)) {
    result = NotRegular();
  } else if (status.st_size > maxSize) {
    result.reason = QStringLiteral("larger than %1 bytes").arg(maxSize);
  } else {
    // Room for the size it has now and one byte more, to see it grow.
    QByteArray bytes(status.st_size + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
      if (have == bytes.size()) bytes.resize(std::min<qsizetype>(2 * have, maxSize + 1));
      const ssize_t n = ::read(fd, bytes.data() + have, static_cast<size_t>(bytes.size() - have));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.reason = QStringLiteral("unreadable: ") + SystemError();
        break;
      }
      have += n;
      if (have > maxSize) {
        result.reason = QStringLiteral("larger than %1 bytes").arg(maxSize);
        break;
      }
      if (n == 0) {
        bytes.truncate(have);
        if (IsText(bytes))
          result.bytes = std::move(bytes);
        else
          result.reason = QStringLiteral("not text");
        break;
      }
    }
  }
  ::close(fd);
  return result;
}

QString WriteWhole(const QString& folder, const QString& name, const QByteArray& bytes) {
  QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/.") + name) + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return SystemError();
  QString error;
  // A temporary file is private; the answer is for the LMS, as any file made here would be.
  if (::fchmod(fd, 0666 & ~CurrentUmask()) != 0) error = SystemError();
  for (qsizetype done = 0; done < bytes.size() && error.isEmpty();) {
    const ssize_t n =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      error = n < 0 ? SystemError() : QStringLiteral("the file could not be written whole");
    else
      done += n;
  }
  // On disk before it bears its name: after a power cut the answer is whole or absent.
  if (error.isEmpty() && ::fdatasync(fd) != 0) error = SystemError();
  if (::close(fd) != 0 && error.isEmpty()) error = SystemError();
  if (error.isEmpty() &&
      ::rename(temporary.constData(), QFile::encodeName(folder + u'/' + name).constData()) != 0)
    error = SystemError();
  if (!error.isEmpty()) ::unlink(temporary.constData());
  return error;
}

bool RenameWithoutReplacing(const QString& from, const QString& to) {
  const QByteArray source = QFile::encodeName(from);
  const QByteArray target = QFile::encodeName(to);
  if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
      0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace rename: the caller holds the folder's lock.
  struct stat status {};
  if (::lstat(target.constData(), &status) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(source.constData(), target.constData()) == 0;
}

}  // namespace asworn::cli
