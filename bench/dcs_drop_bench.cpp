// SPDX-License-Identifier: Apache-2.0
// The lab exchange as a lab runs it: the built asworn-cli answering a drop folder, as one run
// (--folder) and as the service (--watch), with 1 000 jobs dropped at once, and the time from a
// job's rename into the folder to its answer appearing. The folder lies under DROP_BASE (or
// /tmp): a disk, where every answer is flushed before it is named, or a tmpfs such as /dev/shm.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Job(long number) {
  static const std::string sample = [] {
    std::ifstream in(ASWORN_DCS_DIR "/104233.lds", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }();
  std::string job = sample;
  job.replace(job.find("JOB=104233"), 10, "JOB=" + std::to_string(number));
  return job;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder with a drop and a staging folder beside it on the same file system.
struct Folders {
  fs::path root, drop, staging;
  Folders() {
    const char* base = std::getenv("DROP_BASE");
    std::string name = (fs::path(base ? base : "/tmp") / "asworn-drop-bench.XXXXXX").string();
    if (!::mkdtemp(name.data())) throw std::runtime_error("no temporary folder");
    root = name;
    drop = root / "drop";
    staging = root / "staging";
    fs::create_directory(drop);
    fs::create_directory(staging);
  }
  ~Folders() { fs::remove_all(root); }
};

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("asworn-cli did not start");
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmRSS:")) return std::atol(line.c_str() + 6);
  return 0;
}

// Answers appearing in the drop: each is renamed into place, whole.
class Answers {
 public:
  explicit Answers(const fs::path& drop) : fd_(::inotify_init1(IN_CLOEXEC)) {
    ::inotify_add_watch(fd_, drop.c_str(), IN_MOVED_TO);
  }
  ~Answers() { ::close(fd_); }
  void Await(long count) {
    alignas(inotify_event) std::array<char, 65536> buffer{};
    while (count > 0) {
      const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        if (event->len && std::string_view(event->name).ends_with(".lms")) --count;
      }
    }
  }

 private:
  int fd_;
};

void BM_FolderRun(benchmark::State& state) {
  const long jobs = state.range(0);
  long total = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const Folders folders;
    for (long n = 0; n < jobs; ++n) WriteFile(folders.drop / (std::to_string(n) + ".lds"), Job(n));
    state.ResumeTiming();
    if (Wait(Spawn({ASWORN_CLI_PATH, "dcs", "--folder", folders.drop.string()})) != 0)
      state.SkipWithError("asworn-cli dcs --folder failed");
    total += jobs;
  }
  state.SetItemsProcessed(total);
}
BENCHMARK(BM_FolderRun)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bursts of jobs dropped at once into a running service; the service's resident memory after
// the first burst and after the last shows whether it grows with the jobs answered.
void BM_WatchBurst(benchmark::State& state) {
  const long jobs = state.range(0);
  const Folders folders;
  Answers answers(folders.drop);
  const pid_t watch = Spawn({ASWORN_CLI_PATH, "dcs", "--watch", folders.drop.string()});
  long burst = 0;
  long firstResident = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> names;
    for (long n = 0; n < jobs; ++n) {
      names.push_back(std::to_string(burst) + "-" + std::to_string(n) + ".lds");
      WriteFile(folders.staging / names.back(), Job(burst * jobs + n));
    }
    state.ResumeTiming();
    for (const std::string& name : names) fs::rename(folders.staging / name, folders.drop / name);
    answers.Await(jobs);
    state.PauseTiming();
    // The answers collected, as the LMS does.
    for (const std::string& name : names)
      fs::remove(folders.drop / (name.substr(0, name.size() - 4) + ".lms"));
    if (++burst == 1) firstResident = ResidentKilobytes(watch);
    state.ResumeTiming();
  }
  state.counters["rss_first_kB"] = static_cast<double>(firstResident);
  state.counters["rss_last_kB"] = static_cast<double>(ResidentKilobytes(watch));
  state.counters["jobs_answered"] = static_cast<double>(burst * jobs);
  ::kill(watch, SIGTERM);
  if (Wait(watch) != 0) state.SkipWithError("asworn-cli dcs --watch did not end with 0");
  state.SetItemsProcessed(burst * jobs);
}
BENCHMARK(BM_WatchBurst)->Arg(1000)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// 100 bursts: 100 000 jobs through one service.
void BM_WatchMemory(benchmark::State& state) {
  BM_WatchBurst(state);
}
BENCHMARK(BM_WatchMemory)->Arg(1000)->Iterations(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// One job at a time: from its rename into the drop to its answer's rename into place.
void BM_WatchLatency(benchmark::State& state) {
  const Folders folders;
  Answers answers(folders.drop);
  const pid_t watch = Spawn({ASWORN_CLI_PATH, "dcs", "--watch", folders.drop.string()});
  std::vector<double> milliseconds;
  long n = 0;
  for (auto _ : state) {
    const std::string name = std::to_string(n) + ".lds";
    WriteFile(folders.staging / name, Job(n++));
    const auto start = Clock::now();
    fs::rename(folders.staging / name, folders.drop / name);
    answers.Await(1);
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    milliseconds.push_back(took.count() * 1000);
  }
  ::kill(watch, SIGTERM);
  Wait(watch);
  std::sort(milliseconds.begin(), milliseconds.end());
  const auto at = [&](double share) {
    return milliseconds[static_cast<std::size_t>(share *
                                                 static_cast<double>(milliseconds.size() - 1))];
  };
  state.counters["median_ms"] = at(0.5);
  state.counters["p95_ms"] = at(0.95);
}
BENCHMARK(BM_WatchLatency)->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
