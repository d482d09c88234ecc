// SPDX-License-Identifier: Apache-2.0
#pragma once
// One run at a time answers a drop folder: an advisory lock on a file inside it, held for the
// whole run and given up by the system however the run ends.

#include <QString>

#include "owned_fd.h"

namespace asworn::labdrop {

class FolderLock {
 public:
  enum class State { held, busy, failed };

  // Takes the lock of `folder`; with `wait`, waits for a run that holds it to end.
  FolderLock(const QString& folder, bool wait);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State state() const { return state_; }
  const QString& error() const { return error_; }  // why it failed

 private:
  OwnedFd fd_;
  State state_ = State::failed;
  QString error_;
};

}  // namespace asworn::labdrop
