// SPDX-License-Identifier: Apache-2.0
// Save and Load as the window's buttons run them: refusals, failures that must lose nothing,
// files that are not patient files, and the round trip through Compute.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <iostream>

#include "compensation_engine.h"
#include "patient_history.h"
#include "patient_list.h"
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
  EXPECT_EQ(Entries(folder), (QStringList{"History", "Last Name-First Name.txt"}));
  const LoadResult loaded = LoadPatient(JobSheet{}, folder);
  ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
  EXPECT_EQ(*loaded.sheet, second);
}

// Each replacement keeps the earlier record, byte for byte, in History/; a patient's name is
// found whatever its letter case and blanks; a typographic minus is stored as "-".
TEST(SavePatient, KeepsEveryReplacedRecordInHistory) {
  const QDateTime now(QDate(2026, 3, 4), QTime(5, 6, 7));
  const JobSheet maria = Sheet({{Field::firstname, "Maria"}, {Field::lastname, "Lindqvist"}});
  const auto with = [](JobSheet sheet, Field field, std::string text) {
    sheet[field] = std::move(text);
    return sheet;
  };
  struct Case {
    const char* what;
    QStringList before;  // patient files already there, each holding maria's record
    std::vector<JobSheet> saves;
    QStringList files;    // the folder afterwards
    QStringList history;  // History/ afterwards
    const char* refusal;  // the last save is refused with this; nullptr: all saved
  };
  const QString stamp = QStringLiteral("Lindqvist-Maria 2026-03-04 050607");
  const Case cases[] = {
      {"three saves in one second",
       {},
       {with(maria, Field::odsph, "-4.25"), with(maria, Field::odsph, "-4.75"), maria},
       {"History", "Lindqvist-Maria.txt"},
       {stamp + " (2).txt", stamp + ".txt"},
       nullptr},
      {"the same record again: nothing to keep",
       {},
       {maria, maria},
       {"Lindqvist-Maria.txt"},
       {},
       nullptr},
      {"typed in lower case with blanks",
       {"Lindqvist-Maria.txt"},
       {with(with(maria, Field::firstname, " maria "), Field::lastname, "lindqvist\u00A0")},
       {"History", "Lindqvist-Maria.txt"},
       {stamp + ".txt"},
       nullptr},
      {"case-only twins: no guess",
       {"Lindqvist-Maria.txt", "LINDQVIST-MARIA.txt"},
       {with(maria, Field::record, "new")},
       {"LINDQVIST-MARIA.txt", "Lindqvist-Maria.txt"},
       {},
       "holds 2 files of these names that differ only in letter case"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    for (const QString& name : c.before)
      ASSERT_TRUE(WriteBytes(dir.filePath(name), "Maria,Lindqvist,Rec #,-4.25,\r\n"));
    SaveResult saved;
    for (const JobSheet& sheet : c.saves) {
      const QString path = dir.filePath(c.before.value(0, "Lindqvist-Maria.txt"));
      const QByteArray earlier = ReadBytes(path);
      saved = SavePatient(sheet, dir.path(), now);
      if (!saved.kept.isEmpty()) {
        EXPECT_EQ(ReadBytes(saved.kept), earlier);
      }
      EXPECT_EQ(saved.kept.isEmpty(),
                !saved.ok() || earlier == ReadBytes(path) || earlier == "<unreadable>");
    }
    EXPECT_EQ(saved.ok(), c.refusal == nullptr) << saved.message.toStdString();
    if (c.refusal) {
      EXPECT_TRUE(saved.message.contains(c.refusal)) << saved.message.toStdString();
      for (const QString& name : c.before) EXPECT_TRUE(saved.message.contains(name));
    }
    EXPECT_EQ(Entries(dir.path()), c.files);
    EXPECT_EQ(Entries(dir.filePath("History")), c.history);
    QStringList listed;
    for (const EarlierRecord& r : PatientHistory(dir.path(), " lindqvist", "MARIA"))
      listed << QFileInfo(r.path).fileName();
    EXPECT_EQ(listed, c.history);
  }
}

TEST(SavePatient, TypographicMinusIsStoredAsPlainMinusInNumericEntriesOnly) {
  QTemporaryDir dir;
  const JobSheet sheet = Sheet({{Field::firstname, "Anna\u2013Lena"},
                                {Field::record, "R\u22121"},
                                {Field::odsph, "\u22122.00"},
                                {Field::oscyl, "\u20130.50"},
                                {Field::tilt, "1\u22122"}});
  const SaveResult saved = SavePatient(sheet, dir.path());
  ASSERT_TRUE(saved.ok()) << saved.message.toStdString();
  EXPECT_EQ(ReadBytes(saved.path),
            "Anna\xE2\x80\x93Lena,Last Name,R\xE2\x88\x92"
            "1,-2.00,0.00,180,0.00,-0.50,180,"
            "8.00,1.586,70,8.00,1.586,70,13.0,13.0,13.0,13.0,1-2,15,\r\n");
  const JobSheet plain = Sheet({{Field::odsph, "\u22122.00"}, {Field::lastname, "M\u00fcller"}});
  const SaveResult windows = SavePatient(plain, dir.path());
  ASSERT_TRUE(windows.ok());
  EXPECT_TRUE(ReadBytes(windows.path).startsWith("First Name,M\xFCller,Rec #,-2.00,"));
}

// A decimal comma that the user's locale reads is stored as a full stop, so that the file
// reads the same under any locale; a comma that locale would not read as a decimal comma (or
// one in a text that is no number entry) stays, and the record is refused, not guessed at.
TEST(SavePatient, DecimalCommaTheLocaleReadsIsStoredAsAFullStop) {
  const NumberFormat comma{",", "."};
  const NumberFormat fullStop{".", ","};
  const struct {
    const char* name;
    NumberFormat format;
    Field field;
    const char* typed;
    const char* stored;  // the item in the file; nullptr: refused
  } rows[] = {
      {"sphere with a minus sign", comma, Field::odsph, "\u22126,00", "-6.00"},
      {"tilt", comma, Field::tilt, "12,5", "12.5"},
      {"index", comma, Field::osn, "1,6", "1.6"},
      {"full stop as typed", comma, Field::odsph, "-6.00", "-6.00"},
      {"group separator", comma, Field::odsph, "1.000,50", nullptr},
      {"two commas", comma, Field::odaxis, "1,8,0", nullptr},
      {"record number", comma, Field::record, "R1,5", nullptr},
      {"full-stop locale", fullStop, Field::odsph, "-6,00", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir dir;
    const SaveResult saved = SavePatient(Sheet({{row.field, row.typed}}), dir.path(), row.format);
    ASSERT_EQ(saved.ok(), row.stored != nullptr) << saved.message.toStdString();
    if (!row.stored) continue;
    JobSheet expected;
    expected[row.field] = row.stored;
    EXPECT_EQ(ReadBytes(saved.path), QByteArray::fromStdString(JoinRecordLine(expected.Texts())));
  }
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
      {"comma in the record number", Sheet({{Field::record, "12,34"}}), "Record # holds one"},
      {"commas in two fields", Sheet({{Field::odsph, "-1,25"}, {Field::wrap, "5,"}}),
       "Right sphere, Wrap hold one"},
      {"comma in the first name", Sheet({{Field::firstname, "Ann,Marie"}}), "First Name holds"},
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
      {"no room for the time of earlier records", Sheet({{Field::lastname, std::string(220, 'a')}}),
       "keep it to 231 bytes"},
      {"not UTF-8", Sheet({{Field::record, "\xFF"}}),
       "Record # holds text that is not valid UTF-8"},
      {"long name quoted cut short", Sheet({{Field::lastname, std::string(50, 'a') + "/"}}),
       "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\u2026\" holds \"/\""},
      {"empty last name", Sheet({{Field::lastname, ""}}), "the last name is empty"},
      {"empty first name", Sheet({{Field::firstname, ""}}), "the first name is empty"},
      {"hidden file", Sheet({{Field::lastname, ".x"}}), "\".x\" begins with a full stop"},
      {"first name with a full stop first", Sheet({{Field::firstname, ".Ann"}}),
       "begins with a full stop"},
      {"line feed in the record number", Sheet({{Field::record, "12\n34"}}),
       "Record # holds a line break"},
      {"CR in two fields", Sheet({{Field::odsph, "-1.00\r"}, {Field::wrap, "\r\n5"}}),
       "Right sphere, Wrap hold a line break"},
      {"tab in the sphere", Sheet({{Field::ossph, "-1\t.00"}}), "Left sphere holds a line break"},
      {"next-line character", Sheet({{Field::record, "a\u0085b"}}), "control character"},
      {"line separator", Sheet({{Field::odcyl, "a\u2028b"}}), "Right cylinder holds a line"},
      {"record larger than Load reads", Sheet({{Field::record, std::string(70000, '7')}}),
       "more than the 65536 bytes a patient file can hold, so it could never be loaded back; "
       "shorten Record #"},
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
      {"names in another case: the same patient", "ann,smith-jones,x,\r\n", same, nullptr},
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
  // 64 bytes stop the copy of the earlier record (111 bytes) into History/; 200 let it pass
  // and stop the new record (over 400 bytes).
  for (const rlim_t limit : {64, 200}) {
    SCOPED_TRACE(limit);
    QTemporaryDir dir;
    const SaveResult earlier = SavePatient(JobSheet{}, dir.path());
    ASSERT_TRUE(earlier.ok());
    const QByteArray before = ReadBytes(earlier.path);
    const JobSheet longer = Sheet({{Field::record, std::string(400, '7')}});

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit size{limit, limit};
      if (::setrlimit(RLIMIT_FSIZE, &size) != 0) ::_exit(3);
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
}

// When the earlier record cannot be kept in History/, the patient file is not replaced.
TEST(SavePatient, EarlierRecordThatCannotBeKeptIsNotReplaced) {
  const auto tmpfs = [](const QString& at, const char* options) {
    return ::mount("tmpfs", QFile::encodeName(at).constData(), "tmpfs", 0, options) == 0;
  };
  struct Case {
    const char* what;
    const char* folderOnTmpfs;  // mount options of a small file system for the folder
    std::function<bool(const QString& folder)> breakHistory;
    const char* messagePart;
  };
  const Case cases[] = {
      {"History is a file", nullptr,
       [](const QString& folder) { return WriteBytes(folder + "/History", "x"); },
       "it is a file, not a folder"},
      {"read-only History", nullptr,
       [&](const QString& folder) {
         return QDir(folder).mkdir("History") && tmpfs(folder + "/History", "ro");
       },
       "Read-only file system"},
      {"full disk", "size=16k",
       [](const QString& folder) {
         QFile filler(folder + "/filler");
         if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
         const QByteArray block(512, 'x');
         while (filler.write(block) == block.size()) {
         }
         return true;
       },
       "No space left"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    const QString folder = dir.filePath("patients");
    ASSERT_TRUE(QDir().mkpath(folder));
    if (c.folderOnTmpfs && !tmpfs(folder, c.folderOnTmpfs)) {
      std::cout << "skipped \"" << c.what << "\": no tmpfs can be mounted here\n";
      continue;
    }
    const SaveResult earlier = SavePatient(JobSheet{}, folder);
    ASSERT_TRUE(earlier.ok()) << earlier.message.toStdString();
    const QByteArray before = ReadBytes(earlier.path);
    if (!c.breakHistory(folder)) {
      std::cout << "skipped \"" << c.what << "\": no tmpfs can be mounted here\n";
    } else {
      const SaveResult saved = SavePatient(Sheet({{Field::odsph, "-4.75"}}), folder);
      EXPECT_EQ(saved.status, SaveStatus::failed);
      EXPECT_TRUE(saved.message.contains(c.messagePart)) << saved.message.toStdString();
      EXPECT_TRUE(saved.message.contains(u"nothing was replaced")) << saved.message.toStdString();
      EXPECT_EQ(ReadBytes(earlier.path), before);
    }
    ::umount2(QFile::encodeName(folder + "/History").constData(), MNT_DETACH);
    ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
  }
}

// The patient list: every patient file with its names, newest first, found by any part of a
// name in any case and without accents; a file that cannot be loaded is listed as such.
TEST(ListPatients, FindsPatientsByAnyPartOfTheirNames) {
  QTemporaryDir dir;
  const struct {
    QByteArray name;  // the file system's bytes
    QByteArray content;
  } files[] = {
      {"Lindqvist-Maria.txt",
       "Maria,Lindqvist,R1,-4.25,0,180,0,0,180,8,1.5,70,8,1.5,70,13,13,13,13,15,15,\r\n"},
      {"lindqvist-maria.txt",
       "maria,lindqvist,R2,-4.75,0,180,0,0,180,8,1.5,70,8,1.5,70,13,13,13,13,15,15,\r\n"},
      {"M\xFCller-J\xF6rg.txt",
       "J\xF6rg,M\xFCller,R3,0,0,180,0,0,180,8,1.5,70,8,1.5,70,13,13,13,13,15,15,\r\n"},
      {"Short-Record.txt", "a,b,c\r\n"},
      {"Binary-File.txt", QByteArray("\x7F"
                                     "ELF\0,",
                                     6)},
      {"notes.md", "not a patient"},
  };
  qint64 second = 1'700'000'000;
  for (const auto& f : files) {
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + f.name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, f.content.constData(), f.content.size()), f.content.size());
    const timespec times[2] = {{second, 0}, {second, 0}};
    ::futimens(fd, times);
    ::close(fd);
    second += 60;  // each file saved a minute after the one before
  }
  ASSERT_TRUE(QDir(dir.path()).mkdir("History"));
  ASSERT_TRUE(WriteBytes(dir.filePath("History/Lindqvist-Maria 2026-03-04 050607.txt"), "x"));

  const PatientList list = ListPatients(dir.path());
  ASSERT_TRUE(list.problem.isEmpty());
  const struct {
    const char* search;
    const char* shown;  // "last first record" of each row, or the file name when unreadable
  } cases[] = {
      {"",
       "Binary-File.txt|Short-Record.txt|M\u00fcller J\u00f6rg R3|lindqvist maria R2|"
       "Lindqvist Maria R1"},
      {"LINDQ", "lindqvist maria R2|Lindqvist Maria R1"},
      {" maria  lindqvist ", "lindqvist maria R2|Lindqvist Maria R1"},
      {"muller jorg", "M\u00fcller J\u00f6rg R3"},
      {"M\u00dcLLER", "M\u00fcller J\u00f6rg R3"},
      {"maria muller", ""},
      {"record", "Short-Record.txt"},
  };
  for (const auto& c : cases) {
    QStringList shown;
    for (const std::size_t row : FindPatients(list.patients, QString::fromUtf8(c.search))) {
      const PatientListEntry& p = list.patients[row];
      shown << (p.readable() ? p.lastname + ' ' + p.firstname + ' ' + p.record : p.fileName);
      EXPECT_EQ(p.readable(), LoadPatientFileAt(p.nativePath).ok());
    }
    EXPECT_EQ(shown.join('|'), QString::fromUtf8(c.shown)) << c.search;
  }
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
