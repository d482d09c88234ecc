// Save and Load as the window's buttons run them: refusals, failures that must lose nothing,
// files that are not patient files, and the round trip through Compute.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "compensation_engine.h"
#include "patient_records.h"
#include "test_files.h"

namespace asworn {
namespace {

using testing::Entries;
using testing::ReadBytes;
using testing::WriteBytes;

JobSheet Sheet(std::initializer_list<std::pair<Field, std::string>> changes) {
  JobSheet sheet;
  for (const auto& [field, text] : changes) sheet[field] = text;
  return sheet;
}

TEST(SavePatient, CreatesTheFolderAndReplacesAnEarlierRecordWhole) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("nested/As-Worn Rx Patients");
  const JobSheet first = Sheet({{Field::record, "R-1"}, {Field::odsph, "-4.00"}});
  ASSERT_TRUE(SavePatient(first, folder).ok());
  // Same names, another record number and a shorter line: one file, the later record only.
  const JobSheet second = Sheet({{Field::record, "2"}});
  const SaveResult saved = SavePatient(second, folder);
  ASSERT_TRUE(saved.ok()) << saved.message.toStdString();
  EXPECT_EQ(Entries(folder), QStringList{"Last Name-First Name.txt"});
  const LoadResult loaded = LoadPatient(JobSheet{}, folder);
  ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
  EXPECT_EQ(*loaded.sheet, second);
}

// Every refusal writes nothing: the earlier file keeps its bytes, no other file appears, and
// the message says why.
TEST(SavePatient, RefusalsLeaveTheEarlierFileAndSayWhy) {
  struct Case {
    const char* what;
    JobSheet sheet;
    const char* messagePart;
  };
  const std::string tooLong(260, 'a');
  const Case cases[] = {
      {"comma in the record number", Sheet({{Field::record, "12,34"}}), "Record number holds one"},
      {"commas in two fields", Sheet({{Field::odsph, "-1,25"}, {Field::wrap, "5,"}}),
       "Right sphere, Face-form wrap hold one"},
      {"comma in the first name", Sheet({{Field::firstname, "Ann,Marie"}}), "First name holds"},
      {"slash in the last name", Sheet({{Field::lastname, "../etc/x"}}), "holds \"/\""},
      {"backslash in the first name", Sheet({{Field::firstname, "a\\b"}}), "holds \"\\\""},
      {"line feed in the first name", Sheet({{Field::firstname, "a\nb"}}),
       "control character (\\x0A)"},
      {"tab in the last name", Sheet({{Field::lastname, "a\tb"}}), "control character (\\x09)"},
      {"NUL in the last name", Sheet({{Field::lastname, std::string("a\0b", 3)}}),
       "control character"},
      {"last name \"..\"", Sheet({{Field::lastname, ".."}}), "is \"..\""},
      {"first name \".\"", Sheet({{Field::firstname, "."}}), "is \".\""},
      {"file name too long", Sheet({{Field::lastname, tooLong}}), "longer than the 255"},
      {"not UTF-8", Sheet({{Field::record, "\xFF"}}),
       "Record number holds text that is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    // An earlier record under the names in question, where such a file can exist at all.
    const QString path =
        PatientRecordPath(dir.path(), c.sheet[Field::lastname], c.sheet[Field::firstname]);
    const bool hasEarlier = !NameProblem(c.sheet[Field::lastname], c.sheet[Field::firstname]);
    if (hasEarlier) {
      ASSERT_TRUE(WriteBytes(path, "earlier record,\r\n"));
    }
    const QStringList before = Entries(dir.path());

    const SaveResult saved = SavePatient(c.sheet, dir.path());
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.message.contains(QString::fromUtf8(c.messagePart)))
        << saved.message.toStdString();
    EXPECT_TRUE(saved.message.startsWith(u"The patient was not saved"))
        << saved.message.toStdString();
    EXPECT_EQ(Entries(dir.path()), before);
    if (hasEarlier) {
      EXPECT_EQ(ReadBytes(path), "earlier record,\r\n");
    }
  }
}

TEST(LoadPatient, RefusesNamesThatCannotNameAFileInTheFolder) {
  QTemporaryDir dir;
  // A real patient file one level up, which "../" would reach.
  ASSERT_TRUE(
      SavePatient(Sheet({{Field::lastname, "Doe"}, {Field::firstname, "x"}}), dir.path()).ok());
  const QString inner = dir.filePath("inner");
  ASSERT_TRUE(QDir().mkpath(inner));
  for (const JobSheet& current : {Sheet({{Field::lastname, "../Doe"}, {Field::firstname, "x"}}),
                                  Sheet({{Field::lastname, "Doe"}, {Field::firstname, "x\r"}}),
                                  Sheet({{Field::lastname, ".."}, {Field::firstname, "."}})}) {
    const LoadResult loaded = LoadPatient(current, inner);
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.message.contains(u"No field was changed.")) << loaded.message.toStdString();
  }
}

TEST(LoadPatient, ReadsOnlyARegularFileOfAtMost64KiB) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Last Name-First Name.txt");
  const QByteArray defaultLine =
      "First Name,Last Name,Rec #,0.00,0.00,180,0.00,0.00,180,8.00,1.586,70,8.00,1.586,70,"
      "13.0,13.0,13.0,13.0,15,15,\r\n";

  struct Case {
    const char* what;
    std::function<bool()> make;
    const char* messagePart;  // nullptr: loads
  };
  const Case cases[] = {
      {"missing", [] { return true; }, "there is no such file"},
      {"folder", [&] { return QDir().mkdir(path); }, "it is a folder"},
      {"pipe", [&] { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
       "device, pipe or socket"},
      {"link to an endless device", [&] { return QFile::link("/dev/zero", path); },
       "device, pipe or socket"},
      {"one byte over 64 KiB",
       [&] { return WriteBytes(path, defaultLine + QByteArray(65536 - 111 + 1, ' ')); },
       "65537 bytes long"},
      {"exactly 64 KiB",
       [&] { return WriteBytes(path, defaultLine + QByteArray(65536 - 111, ' ')); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(path);
    QDir().rmdir(path);
    ASSERT_TRUE(c.make());
    const LoadResult loaded = LoadPatient(JobSheet{}, dir.path());
    if (!c.messagePart) {
      ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
      EXPECT_EQ(*loaded.sheet, JobSheet{});
      continue;
    }
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.message.contains(QString::fromUtf8(c.messagePart)))
        << loaded.message.toStdString();
    EXPECT_TRUE(loaded.message.contains(path)) << loaded.message.toStdString();
  }
}

// A write that fails part way (here the file size limit, which stops root too, as a full disk
// would) keeps the earlier record byte for byte and leaves no temporary file behind.
TEST(SavePatient, WriteFailingPartWayKeepsTheEarlierRecord) {
  QTemporaryDir dir;
  const SaveResult earlier = SavePatient(JobSheet{}, dir.path());
  ASSERT_TRUE(earlier.ok());
  const QByteArray before = ReadBytes(earlier.path);
  const JobSheet longer = Sheet({{Field::record, std::string(400, '7')}});

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
    const SaveResult saved = SavePatient(longer, dir.path());
    ::_exit(saved.ok() ? 1 : saved.message.contains(earlier.path) ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: message without the path";
  EXPECT_EQ(ReadBytes(earlier.path), before);
  EXPECT_EQ(Entries(dir.path()), QStringList{"Last Name-First Name.txt"});
}

TEST(SavePatient, ReadOnlyFolderKeepsTheEarlierRecord) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "running as root, whom folder permissions do not stop; "
                    "WriteFailingPartWayKeepsTheEarlierRecord covers the failed write";
  QTemporaryDir dir;
  const SaveResult earlier = SavePatient(JobSheet{}, dir.path());
  ASSERT_TRUE(earlier.ok());
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
  const SaveResult saved = SavePatient(Sheet({{Field::record, "new"}}), dir.path());
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_FALSE(saved.ok());
  EXPECT_TRUE(saved.message.contains(earlier.path)) << saved.message.toStdString();
  EXPECT_EQ(ReadBytes(earlier.path).left(27), "First Name,Last Name,Rec #,");
}

TEST(SavePatient, FolderThatCannotBeMadeIsReportedWithThePath) {
  QTemporaryDir dir;
  const QString notAFolder = dir.filePath("plain file");
  ASSERT_TRUE(WriteBytes(notAFolder, "x"));
  for (const QString& folder : {notAFolder, notAFolder + "/sub"}) {
    const SaveResult saved = SavePatient(JobSheet{}, folder);
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.message.contains(folder)) << saved.message.toStdString();
  }
  EXPECT_EQ(ReadBytes(notAFolder), "x");
  EXPECT_FALSE(SavePatient(JobSheet{}, QString()).ok());
}

TEST(SaveAndLoad, LoadThenComputeGivesTheTicketOfBeforeTheSave) {
  const JobSheet sheet = Sheet({{Field::firstname, "Łukasz"},
                                {Field::lastname, "Müller-Öz"},
                                {Field::record, "A-17 "},
                                {Field::odsph, "-4.00"},
                                {Field::odcyl, "-1.00"},
                                {Field::odaxis, "15"},
                                {Field::ossph, "+2.25"},
                                {Field::oscyl, "-0.50"},
                                {Field::osaxis, "170"},
                                {Field::odbc, "6.00"},
                                {Field::odn, "1.67"},
                                {Field::odfvd, "10.0"},
                                {Field::osfvd, "11"},
                                {Field::tilt, "10"},
                                {Field::wrap, "5"}});
  const ComputeOutcome before = Compute(sheet);
  ASSERT_TRUE(before.Succeeded());

  QTemporaryDir dir;
  ASSERT_TRUE(SavePatient(sheet, dir.path()).ok());
  // A fresh start: only the two names are typed in before Load.
  const JobSheet typed = Sheet({{Field::firstname, "Łukasz"}, {Field::lastname, "Müller-Öz"}});
  const LoadResult loaded = LoadPatient(typed, dir.path());
  ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
  EXPECT_EQ(*loaded.sheet, sheet);
  const ComputeOutcome after = Compute(*loaded.sheet);
  ASSERT_TRUE(after.Succeeded());
  EXPECT_EQ(after->ticket, before->ticket);
}

}  // namespace
}  // namespace asworn
