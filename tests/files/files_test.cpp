// SPDX-License-Identifier: Apache-2.0
// The file layer's rules: what a reader refuses under which rules, a write that keeps or
// replaces what is there, and names taken one after another.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <utility>

#include "free_name.h"
#include "native_path.h"
#include "owned_fd.h"
#include "read_file.h"
#include "test_files.h"
#include "write_file.h"

namespace asworn {
namespace {

using asworn::testing::ReadBytes;
using asworn::testing::WriteBytes;

TEST(ReadFile, RefusesByItsRules) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray text = "REQ=LDS\r\nJOB=1\r\n\x1c";
  ASSERT_TRUE(WriteBytes(dir.filePath("text"), text));
  ASSERT_TRUE(WriteBytes(dir.filePath("binary"), QByteArray("JOB=1\0\x01", 7)));
  ASSERT_TRUE(QFile::link(dir.filePath("text"), dir.filePath("link")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0644), 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));

  const ReadRules plain{64}, noLinks{64, false}, textOnly{64, true, true}, small{8};
  const struct {
    const char* name;
    ReadRules rules;
    ReadRefusal refusal;
    const char* error;
  } rows[] = {
      {"text", plain, ReadRefusal::none, ""},
      {"text", textOnly, ReadRefusal::none, ""},
      {"link", plain, ReadRefusal::none, ""},
      {"link", noLinks, ReadRefusal::notRegular, "it is not a regular file"},
      {"fifo", plain, ReadRefusal::notRegular, "it is not a regular file"},
      {"fifo", noLinks, ReadRefusal::notRegular, "it is not a regular file"},
      {"folder", plain, ReadRefusal::notRegular, "it is not a regular file"},
      {"text", small, ReadRefusal::tooLarge, "it is larger than 8 bytes"},
      {"binary", plain, ReadRefusal::none, ""},
      {"binary", textOnly, ReadRefusal::notText, "it is not a text file"},
      {"missing", plain, ReadRefusal::system, "No such file or directory"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " followLinks=" + std::to_string(row.rules.followLinks) +
                 " textOnly=" + std::to_string(row.rules.textOnly));
    const WholeFileRead read = ReadRegularFile(dir.filePath(row.name), row.rules);
    EXPECT_EQ(read.refusal, row.refusal);
    EXPECT_EQ(read.bytes.has_value(), row.refusal == ReadRefusal::none);
    EXPECT_EQ(read.error.toStdString(), row.error);
    if (read.bytes && std::string(row.name) != "binary") {
      EXPECT_EQ(*read.bytes, text);
    }
  }
  // The same rules inside an open folder.
  const OwnedFd folder(::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY));
  ASSERT_TRUE(folder.Valid());
  EXPECT_EQ(ReadRegularFileIn(folder.Get(), "link", noLinks).refusal, ReadRefusal::notRegular);
  EXPECT_EQ(ReadRegularFileIn(folder.Get(), "text", textOnly).bytes, text);
}

TEST(WriteFile, WritesWholeAndReplacesOnlyWhenAsked) {
  QTemporaryDir dir, outside;
  ASSERT_TRUE(dir.isValid() && outside.isValid());
  const QString secret = QDir(outside.path()).filePath("secret");
  ASSERT_TRUE(WriteBytes(secret, "kept"));
  const struct {
    const char* what;
    std::function<bool(const QString&)> before;  // what is at the name first
    Existing existing;
    const char* error;      // empty when written
    QByteArray afterwards;  // the bytes at the name
  } rows[] = {
      {"new name", [](const QString&) { return true; }, Existing::keep, "", "new"},
      {"existing file, replace", [](const QString& p) { return WriteBytes(p, "old"); },
       Existing::replace, "", "new"},
      {"existing file, keep", [](const QString& p) { return WriteBytes(p, "old"); }, Existing::keep,
       "File exists", "old"},
      // A link is replaced, never written through.
      {"link, replace", [&](const QString& p) { return QFile::link(secret, p); }, Existing::replace,
       "", "new"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    QTemporaryDir folder;
    const QString path = folder.filePath("answer.lms");
    ASSERT_TRUE(row.before(path));
    const QString error = WriteFileWhole(folder.path(), "answer.lms", "new", row.existing);
    EXPECT_EQ(error.toStdString(), row.error);
    EXPECT_EQ(ReadBytes(path), row.afterwards);
    // No temporary file left behind, whatever happened.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"answer.lms"});
  }
  EXPECT_EQ(ReadBytes(secret), "kept");
  // A folder that cannot take the file: the system's reason, nothing made.
  EXPECT_EQ(WriteFileWhole(dir.filePath("missing"), "a", "x").toStdString(),
            "No such file or directory");
}

TEST(FreeName, TakesTheFirstFreeNameAndNeverReplaces) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const auto numbered = [&](int n) {
    return dir.filePath(n == 0 ? QStringLiteral("104233.lds")
                               : QStringLiteral("104233.%1.lds").arg(n));
  };
  for (const QString& taken : {numbered(0), numbered(1), numbered(3)})
    ASSERT_TRUE(WriteBytes(taken, "earlier"));
  const struct {
    int first, last;
    bool moved;
    int number;
  } rows[] = {{0, 5, true, 2}, {0, 5, true, 4}, {0, 1, false, 1}};
  for (const auto& row : rows) {
    ASSERT_TRUE(WriteBytes(dir.filePath("job"), "this job"));
    const FreeNameMove move = MoveToFreeName(dir.filePath("job"), numbered, row.first, row.last);
    EXPECT_EQ(move.moved, row.moved) << row.number;
    EXPECT_EQ(move.number, row.number);
    EXPECT_TRUE(move.error.isEmpty()) << move.error.toStdString();
    if (move.moved) {
      EXPECT_EQ(ReadBytes(numbered(row.number)), "this job");
    }
  }
  for (const int n : {0, 1, 3}) EXPECT_EQ(ReadBytes(numbered(n)), "earlier") << n;
  // A failure that is no taken name stops the row at once, with the system's reason.
  const FreeNameMove gone = MoveToFreeName(dir.filePath("missing"), numbered, 5, 9);
  EXPECT_FALSE(gone.moved);
  EXPECT_EQ(gone.number, 5);
  EXPECT_EQ(gone.error.toStdString(), "No such file or directory");
}

TEST(NativePath, NamesOutsideTheEncodingAreSeenAsSuch) {
  EXPECT_TRUE(SurvivesDecoding("104233.lds"));
  EXPECT_TRUE(SurvivesDecoding("M\xC3\xBCller.lds"));
  EXPECT_FALSE(SurvivesDecoding("M\xFCller.lds"));  // Latin-1 from an older system
  EXPECT_EQ(QuotedPath(QStringLiteral("/a/b\tc")), QStringLiteral("\"/a/b\\x09c\""));
}

TEST(OwnedFd, ClosesOnceWhoeverEndsUpOwningIt) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  OwnedFd read(fds[0]);
  {
    OwnedFd write(fds[1]);
    OwnedFd moved(std::move(write));
    EXPECT_FALSE(write.Valid());  // NOLINT(bugprone-use-after-move): the point of the test
    EXPECT_EQ(moved.Get(), fds[1]);
  }
  // The write end closed once: the reader sees the end of the pipe.
  char byte = 0;
  EXPECT_EQ(::read(read.Get(), &byte, 1), 0);
}

}  // namespace
}  // namespace asworn
