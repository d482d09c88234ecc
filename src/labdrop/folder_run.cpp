// SPDX-License-Identifier: Apache-2.0
#include "folder_run.h"

#include <dirent.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "drop_job.h"
#include "free_name.h"
#include "native_path.h"
#include "write_file.h"

namespace asworn::labdrop {
namespace {

constexpr int kMostNamesTried = 100000;

std::string PathText(const QString& path) {
  return NativePathText(path);
}

// The job's own status, not a link's target; none when it is gone.
std::optional<struct stat> StatusOf(const QString& path) {
  struct stat status {};
  if (::lstat(NativePath(path).constData(), &status) != 0) return std::nullopt;
  return status;
}

// "104233.lds", in any case; hidden names are the writers' and our own temporary files.
bool IsJobName(const QByteArray& name) {
  return name.size() > 4 && !name.startsWith('.') &&
         name.right(4).compare(".lds", Qt::CaseInsensitive) == 0;
}

bool Later(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

// "104233.lds" as the n-th free name: "104233.1.lds", "104233.2.lds"...
QString NumberedName(const QString& name, int n) {
  if (n == 0) return name;
  return name.chopped(4) + u'.' + QString::number(n) + name.right(4);
}

// Whether an answer already in the drop says the job was answered (STATUS=0).
bool SaysAnswered(const QString& answerPath) {
  const WholeFileRead read = ReadJobFile(answerPath);
  if (!read.bytes) return false;
  const std::vector<exchange::DcsRecord> records = exchange::ReadDcs(read.bytes->toStdString());
  const exchange::DcsRecord* status = exchange::FindRecord(records, "STATUS");
  return status && status->value == "0";
}

}  // namespace

FolderRun::FolderRun(const QString& folder, exchange::AnswerOptions options, std::ostream& out,
                     std::ostream& err)
    : dir_(folder), options_(std::move(options)), out_(out), err_(err) {}

void FolderRun::Pass(const volatile std::sig_atomic_t* stop) {
  // The names first, then the jobs: each job is looked at afresh when its turn comes.
  std::vector<QByteArray> names;
  {
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(
        ::opendir(NativePath(dir_.path()).constData()), ::closedir);
    if (!listing) {
      err_ << "asworn-cli: could not read the folder \"" << PathText(dir_.path())
           << "\": " << std::strerror(errno) << '\n';
      outcome_.unreadable = true;
      return;
    }
    while (const dirent* entry = ::readdir(listing.get()))
      if (IsJobName(entry->d_name)) names.emplace_back(entry->d_name);
  }
  std::sort(names.begin(), names.end());
  for (const QByteArray& name : names) {
    if (stop && *stop) return;
    const QString decoded = PathFromNative(name);
    if (SurvivesDecoding(name)) {
      Take(decoded);
    } else {
      // A name that is not text in the file-name encoding cannot be opened again by it.
      if (WarnOnce(decoded))
        err_ << "asworn-cli: \"" << name.toPercentEncoding("/").toStdString()
             << "\": the name is not valid in the file-name encoding; left in the drop\n";
      outcome_.unmoved = true;
    }
    out_.flush();  // a service's log line by line
  }
}

void FolderRun::Take(const QString& name) {
  const QString path = dir_.filePath(name);
  const std::optional<struct stat> job = StatusOf(path);
  if (!job) return;  // taken away meanwhile
  const QString answerName = name.chopped(4) + QStringLiteral(".lms");
  const QString answerPath = dir_.filePath(answerName);
  const std::optional<struct stat> earlier = StatusOf(answerPath);
  if (S_ISREG(job->st_mode) && earlier && S_ISREG(earlier->st_mode)) {
    if (!Later(job->st_mtim, earlier->st_mtim)) {
      // Answered by a run that could not move it: moved now, never answered twice.
      Move(name, SaysAnswered(answerPath) ? QStringLiteral("done") : QStringLiteral("errors"));
      return;
    }
    out_ << PathText(path) << ": newer than its answer, answered again\n";
  }

  const JobFileAnswer taken = AnswerJobFile(path, options_);
  const QString reason = UnreadReason(taken.read);
  const exchange::DcsAnswer answer =
      taken.answer ? *taken.answer
                   : exchange::UnreadJobAnswer(NativePathText(name), reason.toStdString());
  if (!taken.answer)
    err_ << "asworn-cli: " << PathText(path) << ": " << reason.toStdString()
         << ", answered STATUS=3\n";
  else if (answer.refused)
    err_ << "asworn-cli: " << PathText(path) << ": refused, see its XSTATUS records\n";
  outcome_.refused = outcome_.refused || answer.refused;

  const QString error = WriteFileWhole(
      dir_.path(), answerName, QByteArray::fromStdString(exchange::WriteDcs(answer.records)));
  if (!error.isEmpty()) {
    if (WarnOnce(name))
      err_ << "asworn-cli: could not write \"" << PathText(answerPath)
           << "\": " << error.toStdString() << '\n';
    outcome_.unmoved = true;
    return;
  }
  out_ << PathText(answerPath) << '\n';
  Move(name, answer.refused ? QStringLiteral("errors") : QStringLiteral("done"));
}

bool FolderRun::Move(const QString& name, const QString& subfolder) {
  const QString from = dir_.filePath(name);
  const auto fail = [&](const QString& target, const QString& why) {
    if (WarnOnce(name))
      err_ << "asworn-cli: could not move \"" << PathText(from) << "\" to \"" << PathText(target)
           << "\": " << why.toStdString() << '\n';
    outcome_.unmoved = true;
    return false;
  };
  const QString folder = dir_.filePath(subfolder);
  // Only a real folder: a link named done/ could send jobs anywhere.
  const std::optional<struct stat> status = StatusOf(folder);
  if (!status && !dir_.mkdir(subfolder) && !StatusOf(folder))
    return fail(folder, QStringLiteral("the folder could not be made"));
  if (status && !S_ISDIR(status->st_mode)) return fail(folder, QStringLiteral("not a folder"));

  const FreeNameMove moved = MoveToFreeName(
      from, [&](int n) { return QDir(folder).filePath(NumberedName(name, n)); }, 0,
      kMostNamesTried - 1);
  if (!moved.moved) {
    if (moved.error.isEmpty()) return fail(folder, QStringLiteral("no free name"));
    return fail(moved.target, moved.error);
  }
  if (moved.number > 0)
    out_ << PathText(from) << ": " << PathText(subfolder + u'/' + name) << " is taken, moved to "
         << PathText(moved.target) << '\n';
  stuck_.erase(name);
  return true;
}

bool FolderRun::WarnOnce(const QString& name) {
  return stuck_.insert(name).second;
}

}  // namespace asworn::labdrop
