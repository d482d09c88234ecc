// SPDX-License-Identifier: Apache-2.0
#include "write_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "native_path.h"
#include "owned_fd.h"

namespace asworn {
namespace {

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

}  // namespace

TemporaryFile WriteTemporaryFile(const QString& folder, const QString& stem,
                                 const QByteArray& bytes, Readers readers) {
  QByteArray temporary = NativePath(folder + QStringLiteral("/.") + stem) + ".XXXXXX";
  OwnedFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (!fd.Valid()) return {{}, SystemError()};
  QString error;
  // A temporary file is private; made for others, it gets what any file made here would.
  if (readers == Readers::asUsual && ::fchmod(fd.Get(), 0666 & ~CurrentUmask()) != 0)
    error = SystemError();
  for (qsizetype done = 0; done < bytes.size() && error.isEmpty();) {
    const ssize_t n =
        ::write(fd.Get(), bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      error = n < 0 ? SystemError() : QStringLiteral("the file could not be written whole");
    else
      done += n;
  }
  // On disk before it bears its name: after a power cut the file is whole or absent.
  if (error.isEmpty() && ::fdatasync(fd.Get()) != 0) error = SystemError();
  if (fd.Close() != 0 && error.isEmpty()) error = SystemError();
  if (!error.isEmpty()) {
    ::unlink(temporary.constData());
    return {{}, error};
  }
  return {temporary, {}};
}

QString WriteFileWhole(const QString& folder, const QString& name, const QByteArray& bytes,
                       Existing existing) {
  const TemporaryFile temporary = WriteTemporaryFile(folder, name, bytes);
  if (!temporary.error.isEmpty()) return temporary.error;
  const QByteArray target = NativePath(folder + u'/' + name);
  const bool renamed = existing == Existing::replace
                           ? ::rename(temporary.nativePath.constData(), target.constData()) == 0
                           : RenameWithoutReplacing(temporary.nativePath, target);
  if (renamed) return {};
  QString error = SystemError();
  ::unlink(temporary.nativePath.constData());
  return error;
}

QString ReplaceFileKeepingPermissions(const QString& path, const QByteArray& bytes) {
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

bool RenameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
  if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat status {};
  if (::lstat(to.constData(), &status) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.constData(), to.constData()) == 0;
}

bool RenameWithoutReplacing(const QString& from, const QString& to) {
  return RenameWithoutReplacing(NativePath(from), NativePath(to));
}

}  // namespace asworn
