// SPDX-License-Identifier: Apache-2.0
#include "watch_service.h"

#include <fcntl.h>
#include <poll.h>
#include <strings.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ostream>

#include "native_path.h"
#include "owned_fd.h"

namespace asworn::labdrop {
namespace {

volatile std::sig_atomic_t stopRequested = 0;
int wakeWrite = -1;  // the write end of a pipe that wakes the waiting poll()

extern "C" void RequestStop(int) {
  const int saved = errno;
  stopRequested = 1;
  if (wakeWrite >= 0 && ::write(wakeWrite, "", 1) < 0) {
    // The pipe is full: poll() is woken already.
  }
  errno = saved;
}

// SIGTERM and SIGINT ask to stop while they are installed; the former handlers come back after.
class StopSignals {
 public:
  StopSignals() {
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    stopRequested = 0;
    wakeWrite = pipe_[1];
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, &formerTerm_);
    ::sigaction(SIGINT, &action, &formerInt_);
  }
  ~StopSignals() {
    if (pipe_[0] < 0) return;
    ::sigaction(SIGTERM, &formerTerm_, nullptr);
    ::sigaction(SIGINT, &formerInt_, nullptr);
    wakeWrite = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool Installed() const { return pipe_[0] >= 0; }
  int WakeFd() const { return pipe_[0]; }

 private:
  std::array<int, 2> pipe_{-1, -1};
  struct sigaction formerTerm_ {};
  struct sigaction formerInt_ {};
};

class Watch {
 public:
  explicit Watch(const QString& folder)
      : folder_(NativePath(folder)), fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_.Valid() && ::inotify_add_watch(fd_.Get(), folder_.constData(),
                                           IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_ATTRIB |
                                               IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR) < 0)
      fd_.Close();
  }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  int Fd() const { return fd_.Get(); }

  // Reads every waiting event; whether a job may have come and whether the folder is gone.
  void Drain(bool& jobs, bool& gone) const {
    alignas(inotify_event) std::array<char, 16384> buffer{};
    for (;;) {
      const ssize_t n = ::read(fd_.Get(), buffer.data(), buffer.size());
      if (n <= 0) return;
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) gone = true;
        if (event->mask & IN_Q_OVERFLOW) jobs = true;
        const std::size_t length = event->len ? std::strlen(event->name) : 0;
        if (length <= 4 || strncasecmp(event->name + length - 4, ".lds", 4) != 0) continue;
        // A file being written in place is taken once closed, not as soon as it is made; a
        // link, FIFO or folder gives no other sign.
        if (!(event->mask & IN_CREATE) || (event->mask & IN_ISDIR) || !IsRegular(event->name))
          jobs = true;
      }
    }
  }

 private:
  bool IsRegular(const char* name) const {
    struct stat status {};
    return ::lstat((folder_ + '/' + name).constData(), &status) == 0 && S_ISREG(status.st_mode);
  }

  QByteArray folder_;
  OwnedFd fd_;
};

}  // namespace

bool WatchFolder(FolderRun& run, const QString& folder, std::ostream& err,
                 std::chrono::milliseconds rescanInterval) {
  const StopSignals stop;
  const Watch watch(folder);
  if (!stop.Installed() || watch.Fd() < 0) {
    err << "asworn-cli: could not watch \"" << NativePathText(folder)
        << "\": " << std::strerror(errno) << '\n';
    return false;
  }
  std::array<pollfd, 2> waits{{{watch.Fd(), POLLIN, 0}, {stop.WakeFd(), POLLIN, 0}}};
  bool jobs = true;
  auto rescan = std::chrono::steady_clock::now();
  while (!stopRequested) {
    if (jobs) {
      run.Pass(&stopRequested);
      // The safety net: look again a while after the last look, however busy the folder.
      rescan = std::chrono::steady_clock::now() + rescanInterval;
    }
    if (run.Outcome().unreadable) return false;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        rescan - std::chrono::steady_clock::now());
    const int ready =
        ::poll(waits.data(), waits.size(), static_cast<int>(std::max<long>(wait.count(), 0)));
    bool gone = false;
    jobs = ready == 0 || std::chrono::steady_clock::now() >= rescan;
    if (ready > 0) watch.Drain(jobs, gone);
    if (gone) {
      err << "asworn-cli: the folder \"" << NativePathText(folder) << "\" was removed or moved\n";
      return false;
    }
  }
  return true;
}

}  // namespace asworn::labdrop
