// SPDX-License-Identifier: Apache-2.0
#include "owned_fd.h"

#include <unistd.h>

#include <utility>

namespace asworn {

OwnedFd::~OwnedFd() {
  Close();
}

OwnedFd& OwnedFd::operator=(OwnedFd&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

int OwnedFd::Release() {
  return std::exchange(fd_, -1);
}

int OwnedFd::Close() {
  if (fd_ < 0) return 0;
  return ::close(std::exchange(fd_, -1));
}

}  // namespace asworn
