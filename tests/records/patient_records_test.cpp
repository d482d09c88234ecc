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
      {"long name quoted cut short", Sheet({{Field::lastname, std::string(50, 'a') + "/"}}),
       "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\u2026\" holds \"/\""},
      {"empty last name", Sheet({{Field::lastname, ""}}), "the last name is empty"},
      {"empty first name", Sheet({{Field::firstname, ""}}), "the first name is empty"},
      {"hidden file", Sheet({{Field::lastname, ".x"}}), "\".x\" begins with a full stop"},
      {"first name with a full stop first", Sheet({{Field::firstname, ".Ann"}}),
       "begins with a full stop"},
      {"line feed in the record number", Sheet({{Field::record, "12\n34"}}),
       "Record number holds a line break"},
      {"CR in two fields", Sheet({{Field::odsph, "-1.00\r"}, {Field::wrap, "\r\n5"}}),
       "Right sphere, Face-form wrap hold a line break"},
      {"tab in the sphere", Sheet({{Field::ossph, "-1\t.00"}}), "Left sphere holds a line break"},
      {"next-line character", Sheet({{Field::record, "a\u0085b"}}), "control character"},
      {"line separator", Sheet({{Field::odcyl, "a\u2028b"}}), "Right cylinder holds a line"},
      {"record larger than Load reads", Sheet({{Field::record, std::string(70000, '7')}}),
       "more than the 65536 bytes a patient file can hold, so it could never be loaded back; "
       "shorten Record number"},
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

// "Smith-Jones" + "Ann" and "Smith" + "Jones-Ann" name one file: only the patient it holds may
// replace it.
TEST(SavePatient, NeverReplacesAnotherPatientsFile) {
  struct Case {
    const char* what;
    QByteArray stored;  // the file's bytes; null: saved as Smith-Jones, Ann
    JobSheet saving;
    const char* messagePart;  // nullptr: replaces
  };
  const JobSheet other = Sheet({{Field::lastname, "Smith"}, {Field::firstname, "Jones-Ann"}});
  const JobSheet same = Sheet({{Field::lastname, "Smith-Jones"}, {Field::firstname, "Ann"}});
  const Case cases[] = {
      {"another patient, one file name",
       {},
       other,
       "holds the record of another patient, first name \"Ann\" and last name \"Smith-Jones\", "
       "and saving first name \"Jones-Ann\" and last name \"Smith\" would replace it"},
      {"the same patient again", {}, same, nullptr},
      {"an empty file", "", same, nullptr},
      {"a file without names", "notes\r\n", same, "holds no patient's names"},
      {"a binary file", QByteArray("\x7F\x45LF,\x02,\0,", 10), same, "not a patient file"},
      {"names in another case", "ann,smith-jones,x,\r\n", same, "first name \"ann\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    const QString path = dir.filePath("Smith-Jones-Ann.txt");
    if (c.stored.isNull())
      ASSERT_TRUE(SavePatient(Sheet({{Field::lastname, "Smith-Jones"},
                                     {Field::firstname, "Ann"},
                                     {Field::record, "first"}}),
                              dir.path())
                      .ok());
    else
      ASSERT_TRUE(WriteBytes(path, c.stored));
    const QByteArray before = ReadBytes(path);

    const SaveResult saved = SavePatient(c.saving, dir.path());
    EXPECT_EQ(saved.path, path);
    if (!c.messagePart) {
      EXPECT_TRUE(saved.ok()) << saved.message.toStdString();
      EXPECT_EQ(*LoadPatientFile(path).sheet, c.saving);
      continue;
    }
    EXPECT_EQ(saved.status, SaveStatus::refused);
    EXPECT_TRUE(saved.message.contains(QString::fromUtf8(c.messagePart)))
        << saved.message.toStdString();
    EXPECT_EQ(saved.message.count(path), 1) << saved.message.toStdString();
    EXPECT_EQ(ReadBytes(path), before);
  }
}

// Without a usable HOME the home folder comes from the password database; with neither there
// is no patient folder, and Save and Load say so.
TEST(PatientFolder, HomeFromTheEnvironmentOrThePasswordDatabase) {
  const struct {
    const char* home;
    const char* passwordHome;
    const char* expected;
  } cases[] = {
      {"/home/ann", "/home/other", "/home/ann"},
      {"", "/home/ann", "/home/ann"},
      {"relative/ann", "/home/ann/", "/home/ann"},
      {"~", "", ""},
      {"", "", ""},
      {"", "not/absolute", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HomeFolder(c.home, c.passwordHome), QString::fromUtf8(c.expected))
        << c.home << " | " << c.passwordHome;

  const QByteArray home = qgetenv("HOME");
  const QString fromPasswordDatabase = [] {
    qunsetenv("HOME");
    return DefaultPatientFolder();
  }();
  qputenv("HOME", "relative");
  const QString fromRelativeHome = DefaultPatientFolder();
  qputenv("HOME", home);
  EXPECT_TRUE(QDir::isAbsolutePath(fromPasswordDatabase)) << fromPasswordDatabase.toStdString();
  EXPECT_TRUE(fromPasswordDatabase.endsWith(u"/Documents/As-Worn Rx Patients"));
  EXPECT_NE(fromPasswordDatabase, QStringLiteral("/Documents/As-Worn Rx Patients"));
  EXPECT_EQ(fromRelativeHome, fromPasswordDatabase);

  const SaveResult saved = SavePatient(JobSheet{}, QString());
  const LoadResult loaded = LoadPatient(JobSheet{}, QString());
  for (const QString& message : {saved.message, loaded.message})
    EXPECT_TRUE(message.contains(u"no home folder is known")) << message.toStdString();
  EXPECT_FALSE(saved.ok());
  EXPECT_FALSE(loaded.ok());
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
