// SPDX-License-Identifier: Apache-2.0
#pragma once
// A file descriptor that closes itself: one owner, handed on by moving.

namespace asworn {

class OwnedFd {
 public:
  OwnedFd() = default;
  explicit OwnedFd(int fd) : fd_(fd) {}
  ~OwnedFd();
  OwnedFd(OwnedFd&& other) noexcept : fd_(other.Release()) {}
  OwnedFd& operator=(OwnedFd&& other) noexcept;
  OwnedFd(const OwnedFd&) = delete;
  OwnedFd& operator=(const OwnedFd&) = delete;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Gives the descriptor up without closing it.
  int Release();
  // Closes it now; the close's own result (0, or -1 with errno set), which a writer must see.
  int Close();

 private:
  int fd_ = -1;
};

}  // namespace asworn
