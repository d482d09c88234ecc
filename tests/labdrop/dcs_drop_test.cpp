// SPDX-License-Identifier: Apache-2.0
// A lab's drop folder answered by the real asworn-cli: what a writer to the drop may put there,
// runs at once, and the service stopped while jobs arrive.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

namespace {

std::string ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

void WriteText(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The sample job under its own job number.
std::string Job(int number) {
  std::string job = ReadText(QStringLiteral(ASWORN_DCS_DIR "/104233.lds"));
  job.replace(job.find("JOB=104233"), 10, "JOB=" + std::to_string(number));
  return job;
}

// As an LMS should: written under a hidden name, then renamed into the drop.
void Drop(const QDir& dir, const QString& name, const std::string& bytes) {
  WriteText(dir.filePath("." + name + ".part"), bytes);
  ASSERT_TRUE(QFile::rename(dir.filePath("." + name + ".part"), dir.filePath(name)));
}

std::unique_ptr<QProcess> Start(const QStringList& args) {
  auto process = std::make_unique<QProcess>();
  process->start(QStringLiteral(ASWORN_CLI_PATH), args);
  EXPECT_TRUE(process->waitForStarted());
  return process;
}

// How often each answer path was printed by the runs.
void CountAnswers(const QByteArray& out, std::map<std::string, int>& answers) {
  std::istringstream lines(out.toStdString());
  for (std::string line; std::getline(lines, line);)
    if (line.ends_with(".lms")) ++answers[line];
}

bool WaitFor(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QThread::msleep(5);
  }
  return true;
}

qsizetype Count(const QDir& dir, const QString& pattern) {
  return dir.entryList({pattern}, QDir::Files).size();
}

TEST(DcsDrop, WhatIsNotAPlainJobIsAnsweredWithoutBeingRead) {
  QTemporaryDir temp, outside;
  ASSERT_TRUE(temp.isValid() && outside.isValid());
  const QDir dir(temp.path());
  const QString secret = QDir(outside.path()).filePath("passwd");
  WriteText(secret, "root:x:0:0:SECRET:/root:/bin/sh\n");
  const auto unread = [](const char* name, const char* reason) {
    return std::string("REQ=LMS\r\nJOB=") + name + "\r\nSTATUS=3\r\nXSTATUS=B;1004;" + reason +
           ";E\r\n";
  };
  const struct {
    const char* name;
    std::function<bool(const QString&)> make;
    std::string answer;  // exactly, or empty for the sample job's answer
    const char* movedTo;
  } rows[] = {
      {"link.lds", [&](const QString& p) { return QFile::link(secret, p); },
       unread("link.lds", "not a regular file"), "errors"},
      {"fifo.lds", [](const QString& p) { return ::mkfifo(QFile::encodeName(p), 0644) == 0; },
       unread("fifo.lds", "not a regular file"), "errors"},
      {"folder.lds", [](const QString& p) { return QDir().mkdir(p); },
       unread("folder.lds", "not a regular file"), "errors"},
      {"large.lds",
       [](const QString& p) {
         QFile file(p);
         return file.open(QIODevice::WriteOnly) && file.resize(16 * 1024 * 1024 + 1);
       },
       unread("large.lds", "larger than 16777216 bytes"), "errors"},
      {"binary.lds",
       [](const QString& p) {
         QFile file(p);
         return file.open(QIODevice::WriteOnly) && file.write("REQ=LDS\r\nJOB=1\0\x01\x02", 17);
       },
       unread("binary.lds", "not text"), "errors"},
      {"refused.lds",
       [](const QString& p) { return QFile::copy(ASWORN_DCS_DIR "/refuse_missing_labels.lds", p); },
       ReadText(ASWORN_DCS_DIR "/refuse_missing_labels.lms"), "errors"},
      {"104233.lds", [](const QString& p) { return QFile::copy(ASWORN_DCS_DIR "/104233.lds", p); },
       ReadText(ASWORN_DCS_DIR "/104233.lms"), "done"},
  };
  for (const auto& row : rows) ASSERT_TRUE(row.make(dir.filePath(row.name))) << row.name;

  auto run = Start({"dcs", "--folder", temp.path()});
  ASSERT_TRUE(run->waitForFinished());
  EXPECT_EQ(run->exitCode(), 2) << run->readAllStandardError().toStdString();  // refusals
  for (const auto& row : rows) {
    const QString answer = dir.filePath(QString(row.name).replace(".lds", ".lms"));
    EXPECT_EQ(ReadText(answer), row.answer) << row.name;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(row.name))) << row.name;
    EXPECT_TRUE(QFileInfo(dir.filePath(row.movedTo + QString("/") + row.name)).isSymLink() ||
                QFileInfo::exists(dir.filePath(row.movedTo + QString("/") + row.name)))
        << row.name;
  }
  EXPECT_EQ(ReadText(secret), "root:x:0:0:SECRET:/root:/bin/sh\n");
  // Readable by whoever may read any file made in the drop: the LMS, often another user.
  WriteText(dir.filePath("made.txt"), "");
  EXPECT_EQ(QFileInfo(dir.filePath("104233.lms")).permissions(),
            QFileInfo(dir.filePath("made.txt")).permissions());

  // Sent again while its answer is still there: answered again, and kept in done/ under a
  // free name. A job whose answer is newer was answered by an earlier run: only moved.
  Drop(dir, "104233.lds", Job(104233).replace(Job(104233).find("-2.25"), 5, "-3.25"));
  const QDateTime later = QFileInfo(dir.filePath("104233.lms")).lastModified().addSecs(1);
  QFile(dir.filePath("104233.lds")).setFileTime(later, QFileDevice::FileModificationTime);
  Drop(dir, "old.lds", Job(7));
  WriteText(dir.filePath("old.lms"), "REQ=LMS\r\nSTATUS=0\r\n");
  QFile(dir.filePath("old.lms")).setFileTime(later, QFileDevice::FileModificationTime);
  run = Start({"dcs", "--folder", temp.path()});
  ASSERT_TRUE(run->waitForFinished());
  EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
  const std::string out = run->readAllStandardOutput().toStdString();
  EXPECT_NE(out.find("104233.lds: newer than its answer, answered again"), std::string::npos)
      << out;
  EXPECT_NE(out.find("done/104233.1.lds"), std::string::npos) << out;
  EXPECT_EQ(out.find("old.lms"), std::string::npos) << out;
  EXPECT_NE(ReadText(dir.filePath("104233.lms")).find("SPH=-3.25;-1.75"), std::string::npos);
  EXPECT_EQ(ReadText(dir.filePath("old.lms")), "REQ=LMS\r\nSTATUS=0\r\n");
  EXPECT_EQ(QDir(dir.filePath("done")).entryList(QDir::Files, QDir::Name),
            QStringList({"104233.1.lds", "104233.lds", "old.lds"}));
}

TEST(DcsDrop, RunsAtOnceAnswerEachJobExactlyOnce) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QDir dir(temp.path());
  constexpr int kJobs = 300;
  for (int n = 0; n < kJobs; ++n) WriteText(dir.filePath(QString("%1.lds").arg(n)), Job(n));

  std::vector<std::unique_ptr<QProcess>> runs;
  for (const QStringList& extra : {QStringList{}, QStringList{}, QStringList{"--wait"}})
    runs.push_back(Start(QStringList{"dcs", "--folder", temp.path()} + extra));
  std::map<std::string, int> answers;
  for (const auto& run : runs) {
    ASSERT_TRUE(run->waitForFinished(60000));
    EXPECT_EQ(run->exitCode(), 0);
    EXPECT_EQ(run->readAllStandardError(), "");
    CountAnswers(run->readAllStandardOutput(), answers);
  }
  EXPECT_EQ(answers.size(), std::size_t{kJobs});
  for (const auto& [answer, times] : answers) EXPECT_EQ(times, 1) << answer;
  EXPECT_EQ(Count(dir, "*.lds"), 0);
  EXPECT_EQ(Count(dir, "*.lms"), kJobs);
  EXPECT_EQ(Count(QDir(dir.filePath("done")), "*.lds"), kJobs);
}

TEST(DcsDrop, WatchAnswersJobsAsTheyArriveAndStopsBetweenJobsOnSigterm) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QDir dir(temp.path());
  const QDir done(dir.filePath("done"));
  Drop(dir, "0.lds", Job(0));
  auto watch = Start({"dcs", "--watch", temp.path()});
  for (int n = 1; n < 10; ++n) Drop(dir, QString("%1.lds").arg(n), Job(n));
  ASSERT_TRUE(WaitFor([&] { return Count(done, "*.lds") == 10; }));
  EXPECT_EQ(Count(dir, "*.lms"), 10);

  // A burst, and SIGTERM while it is being answered.
  constexpr int kJobs = 200;
  for (int n = 10; n < kJobs; ++n) Drop(dir, QString("%1.lds").arg(n), Job(n));
  ASSERT_TRUE(WaitFor([&] { return Count(done, "*.lds") > 20; }));
  watch->terminate();
  ASSERT_TRUE(watch->waitForFinished());
  EXPECT_EQ(watch->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(watch->exitCode(), 0) << watch->readAllStandardError().toStdString();

  // Every job answered and moved, or neither: nothing half done, no temporary file left.
  for (int n = 0; n < kJobs; ++n) {
    const bool moved = QFileInfo::exists(done.filePath(QString("%1.lds").arg(n)));
    EXPECT_NE(moved, QFileInfo::exists(dir.filePath(QString("%1.lds").arg(n)))) << n;
    EXPECT_EQ(moved, QFileInfo::exists(dir.filePath(QString("%1.lms").arg(n)))) << n;
  }
  EXPECT_EQ(dir.entryList({".*"}, QDir::Hidden | QDir::Files), QStringList{".asworn-dcs.lock"});

  std::map<std::string, int> answers;
  CountAnswers(watch->readAllStandardOutput(), answers);
  auto rest = Start({"dcs", "--folder", temp.path()});
  ASSERT_TRUE(rest->waitForFinished());
  EXPECT_EQ(rest->exitCode(), 0);
  CountAnswers(rest->readAllStandardOutput(), answers);
  EXPECT_EQ(answers.size(), std::size_t{kJobs});
  for (const auto& [answer, times] : answers) EXPECT_EQ(times, 1) << answer;
  EXPECT_EQ(Count(done, "*.lds"), kJobs);
}

}  // namespace
