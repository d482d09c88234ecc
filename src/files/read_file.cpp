// SPDX-License-Identifier: Apache-2.0
#include "read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "native_path.h"
#include "owned_fd.h"

namespace asworn {
namespace {

WholeFileRead Refused(ReadRefusal refusal, qint64 maxSize, int errorNumber = 0) {
  WholeFileRead read;
  read.refusal = refusal;
  read.errorNumber = errorNumber;
  read.error = RefusalText(read, maxSize);
  return read;
}

int OpenFlags(const ReadRules& rules) {
  return O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (rules.followLinks ? 0 : O_NOFOLLOW);
}

// Looked at before opening, so that a device is never opened at all; the open file is checked
// again, in case something else was put in its place meanwhile.
bool SeenAsOther(int folder, const char* name, const ReadRules& rules) {
  struct stat status {};
  return ::fstatat(folder, name, &status, rules.followLinks ? 0 : AT_SYMLINK_NOFOLLOW) == 0 &&
         !S_ISREG(status.st_mode);
}

// Reads the open file whole.
WholeFileRead ReadOpenFile(const OwnedFd& fd, const ReadRules& rules) {
  const qint64 maxSize = rules.maxSize;
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0) return Refused(ReadRefusal::system, maxSize, errno);
  if (!S_ISREG(status.st_mode)) return Refused(ReadRefusal::notRegular, maxSize);
  if (status.st_size > maxSize) return Refused(ReadRefusal::tooLarge, maxSize);
  // Room for one byte more than the file has, so that its end shows without another read
  // only when it grows meanwhile.
  QByteArray bytes(status.st_size + 1, Qt::Uninitialized);
  qsizetype have = 0;
  for (;;) {
    if (have == bytes.size()) bytes.resize(std::min<qint64>(maxSize + 1, have * 2));
    const ssize_t n =
        ::read(fd.Get(), bytes.data() + have, static_cast<size_t>(bytes.size() - have));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Refused(ReadRefusal::system, maxSize, errno);
    if (n == 0) break;
    have += n;
    if (have > maxSize) return Refused(ReadRefusal::grew, maxSize);
  }
  bytes.truncate(have);
  if (rules.textOnly && !IsText(bytes)) return Refused(ReadRefusal::notText, maxSize);
  WholeFileRead read;
  read.bytes = std::move(bytes);
  read.modifiedMs = qint64{status.st_mtim.tv_sec} * 1000 + status.st_mtim.tv_nsec / 1'000'000;
  return read;
}

WholeFileRead ReadAt(int folder, const char* name, const ReadRules& rules) {
  if (SeenAsOther(folder, name, rules)) return Refused(ReadRefusal::notRegular, rules.maxSize);
  const OwnedFd fd(::openat(folder, name, OpenFlags(rules)));
  if (!fd.Valid()) {
    // O_NOFOLLOW met a link put in place after the look.
    if (errno == ELOOP && !rules.followLinks)
      return Refused(ReadRefusal::notRegular, rules.maxSize);
    return Refused(ReadRefusal::system, rules.maxSize, errno);
  }
  return ReadOpenFile(fd, rules);
}

}  // namespace

bool IsText(const QByteArray& bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n' && byte != 0x1c &&
            byte != 0x1d && byte != 0x04) ||
           byte == 0x7f;
  });
}

QString RefusalText(const WholeFileRead& read, qint64 maxSize) {
  switch (read.refusal) {
    case ReadRefusal::none:
      return {};
    case ReadRefusal::system:
      return QString::fromLocal8Bit(std::strerror(read.errorNumber));
    case ReadRefusal::notRegular:
      return QStringLiteral("it is not a regular file");
    case ReadRefusal::tooLarge:
      return QStringLiteral("it is larger than %1 bytes").arg(maxSize);
    case ReadRefusal::grew:
      return QStringLiteral("it grew larger than %1 bytes while being read").arg(maxSize);
    case ReadRefusal::notText:
      return QStringLiteral("it is not a text file");
  }
  return {};
}

WholeFileRead ReadRegularFile(const QString& path, const ReadRules& rules) {
  return ReadRegularFileAt(NativePath(path), rules);
}

WholeFileRead ReadRegularFileAt(const QByteArray& nativePath, const ReadRules& rules) {
  return ReadAt(AT_FDCWD, nativePath.constData(), rules);
}

WholeFileRead ReadRegularFileIn(int folder, const char* name, const ReadRules& rules) {
  return ReadAt(folder, name, rules);
}

}  // namespace asworn
