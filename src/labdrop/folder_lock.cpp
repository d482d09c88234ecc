// SPDX-License-Identifier: Apache-2.0
#include "folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QDir>
#include <cerrno>
#include <cstring>

#include "native_path.h"

namespace asworn::labdrop {
namespace {

// Hidden, and never a job name: an LMS collects *.lms and leaves it alone.
constexpr const char* kLockName = ".asworn-dcs.lock";

}  // namespace

FolderLock::FolderLock(const QString& folder, bool wait) {
  const QByteArray path = NativePath(QDir(folder).filePath(QString::fromLatin1(kLockName)));
  // Never through a link someone put in the drop; the file is left in place afterwards, as
  // removing it would let two runs lock two different files.
  fd_ = OwnedFd(
      ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
  if (!fd_.Valid()) {
    error_ = QString::fromLocal8Bit(std::strerror(errno));
    return;
  }
  int taken;
  do {
    taken = ::flock(fd_.Get(), LOCK_EX | (wait ? 0 : LOCK_NB));
  } while (taken != 0 && errno == EINTR);
  if (taken == 0) {
    state_ = State::held;
  } else if (errno == EWOULDBLOCK) {
    state_ = State::busy;
  } else {
    error_ = QString::fromLocal8Bit(std::strerror(errno));
  }
}

}  // namespace asworn::labdrop
