// SPDX-License-Identifier: Apache-2.0
// The drop service's steps, in the process: one job file answered, a pass over a folder, the
// folder's lock, and the watch's rescan and its end when the folder goes away.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "drop_job.h"
#include "folder_lock.h"
#include "folder_run.h"
#include "test_files.h"
#include "watch_service.h"

namespace asworn::labdrop {
namespace {

using asworn::testing::ReadBytes;
using asworn::testing::WriteBytes;

bool CopySample(const char* sample, const QString& to) {
  return QFile::copy(QStringLiteral(ASWORN_DCS_DIR "/") + sample, to);
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds longest) {
  const auto end = std::chrono::steady_clock::now() + longest;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QThread::msleep(5);
  }
  return true;
}

TEST(DropJob, OneJobFileIsAnsweredOrSaysWhyNot) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(CopySample("104233.lds", dir.filePath("job.lds")));
  ASSERT_TRUE(QFile::link(dir.filePath("job.lds"), dir.filePath("link.lds")));
  ASSERT_TRUE(WriteBytes(dir.filePath("binary.lds"), QByteArray("REQ=LDS\r\nJOB=1\0", 15)));
  const struct {
    const char* name;
    const char* reason;  // as the answer's XSTATUS says it; empty when answered
    const char* error;   // as a message about the file says it
  } rows[] = {
      {"job.lds", "", ""},
      {"link.lds", "not a regular file", "it is not a regular file"},
      {"binary.lds", "not text", "it is not a text file"},
      {"missing.lds", "unreadable: No such file or directory", "No such file or directory"},
  };
  for (const auto& row : rows) {
    const JobFileAnswer job = AnswerJobFile(dir.filePath(row.name), {});
    EXPECT_EQ(job.answer.has_value(), *row.reason == '\0') << row.name;
    EXPECT_EQ(UnreadReason(job.read).toStdString(), row.reason) << row.name;
    EXPECT_EQ(job.read.error.toStdString(), row.error) << row.name;
  }
  // A job its group alone may read, refused to this program's account (root reads it anyway,
  // so the refusal is made here): the answer says how to fix it.
  WholeFileRead denied;
  denied.refusal = ReadRefusal::system;
  denied.errorNumber = EACCES;
  denied.error = QStringLiteral("Permission denied");
  const std::string reason = UnreadReason(denied).toStdString();
  EXPECT_TRUE(reason.starts_with("unreadable: Permission denied. ")) << reason;
  EXPECT_NE(reason.find("SupplementaryGroups="), std::string::npos) << reason;
  const JobFileAnswer job = AnswerJobFile(dir.filePath("job.lds"), {});
  ASSERT_TRUE(job.answer);
  EXPECT_EQ(exchange::WriteDcs(job.answer->records),
            ReadBytes(ASWORN_DCS_DIR "/104233.lms").toStdString());
}

TEST(FolderRun, APassAnswersMovesAndSaysWhatStayed) {
  const struct {
    const char* what;
    std::function<bool(const QDir&)> make;
    FolderOutcome outcome;  // refused, unmoved, unreadable
    const char* err;        // a part of what the pass says on stderr; empty: nothing
  } rows[] = {
      {"a job",
       [](const QDir& d) { return CopySample("104233.lds", d.filePath("1.lds")); },
       {false, false, false},
       ""},
      {"a refused job",
       [](const QDir& d) { return CopySample("refuse_missing_labels.lds", d.filePath("1.lds")); },
       {true, false, false},
       "1.lds: refused, see its XSTATUS records"},
      {"an unread job",
       [](const QDir& d) { return WriteBytes(d.filePath("1.lds"), QByteArray("JOB=1\0", 6)); },
       {true, false, false},
       "1.lds: not text, answered STATUS=3"},
      {"done/ is a file",
       [](const QDir& d) {
         return CopySample("104233.lds", d.filePath("1.lds")) &&
                WriteBytes(d.filePath("done"), "x");
       },
       {false, true, false},
       "done\": not a folder"},
      {"the folder is gone",
       [](const QDir& d) { return QDir(d).removeRecursively(); },
       {false, false, true},
       "could not read the folder"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    ASSERT_TRUE(row.make(dir));
    std::ostringstream out, err;
    FolderRun run(temp.path(), {}, out, err);
    run.Pass();
    EXPECT_EQ(run.Outcome().refused, row.outcome.refused);
    EXPECT_EQ(run.Outcome().unmoved, row.outcome.unmoved);
    EXPECT_EQ(run.Outcome().unreadable, row.outcome.unreadable);
    EXPECT_NE(err.str().find(row.err), std::string::npos) << err.str();
    if (*row.err == '\0') {
      EXPECT_EQ(err.str(), "");
    }
    if (row.outcome.unreadable) continue;
    // Answered either way; moved unless something was in the way.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("1.lms")));
    EXPECT_EQ(QFileInfo::exists(dir.filePath("1.lds")), row.outcome.unmoved);
    // Told once while it stays, not at every pass.
    std::ostringstream again;
    FolderRun second(temp.path(), {}, out, again);
    second.Pass();
    second.Pass();
    EXPECT_LE(again.str().size(), err.str().size());
  }
}

TEST(FolderLock, OneRunAtATime) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const FolderLock first(temp.path(), false);
  EXPECT_EQ(first.state(), FolderLock::State::held);
  EXPECT_EQ(FolderLock(temp.path(), false).state(), FolderLock::State::busy);
  // A link in place of the lock file is never followed.
  QTemporaryDir other;
  ASSERT_TRUE(QFile::link(other.filePath("elsewhere"), other.filePath(".asworn-dcs.lock")));
  const FolderLock linked(other.path(), false);
  EXPECT_EQ(linked.state(), FolderLock::State::failed);
  EXPECT_FALSE(linked.error().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(other.filePath("elsewhere")));
}

// Watches `folder` on a thread of its own; the result once it ends.
struct WatchThread {
  WatchThread(const QString& folder, std::chrono::milliseconds rescan)
      : run(folder, {}, out, err),
        thread([this, folder, rescan] { watching = WatchFolder(run, folder, err, rescan); }) {}
  ~WatchThread() {
    if (thread.joinable()) thread.join();
  }
  WatchThread(const WatchThread&) = delete;
  WatchThread& operator=(const WatchThread&) = delete;

  std::ostringstream out, err;
  FolderRun run;
  bool watching = true;
  std::thread thread;
};

TEST(WatchFolder, EndsWhenTheFolderIsRemoved) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString folder = temp.filePath("drop");
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_TRUE(CopySample("104233.lds", folder + "/1.lds"));
  WatchThread watch(folder, std::chrono::hours(1));
  ASSERT_TRUE(
      WaitFor([&] { return QFileInfo::exists(folder + "/done/1.lds"); }, std::chrono::seconds(20)));
  ASSERT_TRUE(QDir(folder).removeRecursively());
  watch.thread.join();
  EXPECT_FALSE(watch.watching);  // the command's exit status 66
  EXPECT_NE(watch.err.str().find("\" was removed or moved"), std::string::npos) << watch.err.str();
}

TEST(WatchFolder, ARescanFindsAJobThatGaveNoSign) {
  // A second name for a file already written: the folder hears only of a name made, which a
  // writer still writing would give too, so only the rescan takes it.
  for (const bool rescanSoon : {false, true}) {
    SCOPED_TRACE(rescanSoon ? "rescan every 50 ms" : "no rescan");
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString folder = temp.filePath("drop");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(CopySample("104233.lds", folder + "/.written"));
    WatchThread watch(folder, rescanSoon ? std::chrono::milliseconds(50)
                                         : std::chrono::milliseconds(std::chrono::hours(1)));
    // The first pass is over once the lock-free folder has been looked at: wait for it.
    QThread::msleep(200);
    ASSERT_EQ(::link(QFile::encodeName(folder + "/.written").constData(),
                     QFile::encodeName(folder + "/7.lds").constData()),
              0);
    const bool answered =
        WaitFor([&] { return QFileInfo::exists(folder + "/done/7.lds"); },
                rescanSoon ? std::chrono::seconds(20) : std::chrono::milliseconds(500));
    EXPECT_EQ(answered, rescanSoon);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    watch.thread.join();
    EXPECT_FALSE(watch.watching);
  }
}

}  // namespace
}  // namespace asworn::labdrop
