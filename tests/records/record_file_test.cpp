// SPDX-License-Identifier: Apache-2.0
// The patient file itself: its bytes, its encoding, and files as older programs wrote them.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "patient_records.h"
#include "record_encoding.h"
#include "test_files.h"

namespace asworn {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr char kDefaultLine[] =
    "First Name,Last Name,Rec #,0.00,0.00,180,0.00,0.00,180,8.00,1.586,70,8.00,1.586,70,"
    "13.0,13.0,13.0,13.0,15,15,\r\n";

TEST(RecordFile, DefaultJobSheetIsTheExact111ByteLine) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const SaveResult saved = SavePatient(JobSheet{}, dir.path());
  ASSERT_TRUE(saved.ok()) << saved.message.toStdString();
  EXPECT_EQ(saved.path, dir.filePath("Last Name-First Name.txt"));

  const QByteArray bytes = ReadBytes(saved.path);
  EXPECT_EQ(bytes, QByteArray(kDefaultLine));
  EXPECT_EQ(bytes.size(), 111);
  EXPECT_EQ(bytes.count(','), 21);

  const RecordReadResult read = ReadPatientRecord(saved.path);
  ASSERT_TRUE(read.ok()) << read.message.toStdString();
  // The line end is no item: exactly the 21 texts.
  ASSERT_EQ(read.items->size(), 21u);
  EXPECT_EQ((*read.items)[20], "15");
}

// Each text lands in the file as Windows-1252 when the whole line fits, as UTF-8 otherwise,
// and reads back unchanged either way.
TEST(RecordFile, TextsKeepTheirCharactersAndTheirBytes) {
  struct Case {
    const char* text;        // UTF-8
    QByteArray storedBytes;  // how it stands in the file
  };
  const Case cases[] = {
      {"Müller", "M\xFCller"},
      {"Renée € 1.586°", "Ren\xE9\x65 \x80 1.586\xB0"},
      {"Łukasz", "\xC5\x81ukasz"},
      {"Ελένη", "\xCE\x95\xCE\xBB\xCE\xAD\xCE\xBD\xCE\xB7"},
      {"王小明", "\xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E"},
      {"😀", "\xF0\x9F\x98\x80"},
      // Windows-1252 bytes of these would be valid UTF-8 of other characters ("Ã¼" -> "ü").
      {"Ã¼", "\xC3\x83\xC2\xBC"},
      {"ï»¿x", "\xC3\xAF\xC2\xBB\xC2\xBFx"},
      {"  spaced  ", "  spaced  "},
      {"", ""},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("p.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    PatientRecord record = JobSheet{}.Texts();
    record[IndexOf(Field::record)] = c.text;
    const RecordWriteResult written = WritePatientRecord(path, record);
    ASSERT_TRUE(written.ok) << written.message.toStdString();
    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.startsWith("First Name,Last Name," + c.storedBytes + ",0.00,"))
        << bytes.toStdString();
    const LoadResult loaded = LoadPatientFile(path);
    ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
    EXPECT_EQ(loaded.sheet->Texts(), record);
  }
}

// Random texts without commas from a mix of scripts, all 21 fields at once: through the
// bytes of the file, and every 100th record through a file on disk as well.
TEST(RecordFile, RandomTextsInManyScriptsRoundTrip) {
  const std::u32string pool =
      U"aZ09 .-+#/\u00E9\u00FC\u00DF\u00D8\u20AC\u0141\u0119\u0105\u03A9\u03BB\u0416\u044F"
      U"\u05D0\u0627\u4E2D\u6587\u3042\uAC00\U0001F600\U0001F9D1\u00A0\u00B5\u2030\u00C3\u00BC";
  std::mt19937 random(20240607);
  QTemporaryDir dir;
  const QString path = dir.filePath("random.txt");
  for (int round = 0; round < 2000; ++round) {
    PatientRecord record;
    for (std::string& text : record) {
      std::u32string chars;
      const std::size_t length = random() % 12;
      for (std::size_t i = 0; i < length; ++i) chars += pool[random() % pool.size()];
      text = QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size())).toStdString();
    }
    const EncodedRecord encoded = EncodeRecord(record);
    ASSERT_TRUE(encoded.bytes) << encoded.problem.toStdString();
    const std::optional<JobSheet> back = SheetFromItems(DecodeRecordItems(*encoded.bytes));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Texts(), record) << "round " << round;
    if (round % 100 != 0) continue;
    ASSERT_TRUE(WritePatientRecord(path, record).ok);
    EXPECT_EQ(ReadBytes(path), *encoded.bytes);
    const LoadResult loaded = LoadPatientFile(path);
    ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
    ASSERT_EQ(loaded.sheet->Texts(), record) << "round " << round;
  }
}

PatientRecord DefaultsWith(std::initializer_list<std::pair<Field, const char*>> changes) {
  JobSheet sheet;
  for (const auto& [field, text] : changes) sheet[field] = text;
  return sheet.Texts();
}

// Files as older programs or hand edits left them.
TEST(RecordFile, OlderFilesLoadAsTheyStand) {
  const std::string head =
      "First Name,Last Name,Rec #,0.00,0.00,180,0.00,0.00,180,8.00,1.586,70,"
      "8.00,1.586,70,13.0,13.0,13.0,13.0,";
  struct Case {
    const char* what;
    QByteArray bytes;
    std::optional<PatientRecord> expected;  // nothing: refused
    const char* messagePart;
  };
  const Case cases[] = {
      {"no final comma", Bytes(head + "15,15\r\n"), JobSheet{}.Texts(), ""},
      {"LF alone", Bytes(head + "15,15,\n"), JobSheet{}.Texts(), ""},
      {"CR alone", Bytes(head + "15,15\r"), JobSheet{}.Texts(), ""},
      {"empty wrap", Bytes(head + "15,,\r\n"), DefaultsWith({{Field::wrap, ""}}), ""},
      {"no line end", Bytes(head + "15,15,"), JobSheet{}.Texts(), ""},
      {"text after the 21st comma", Bytes(head + "15,15,notes, more\r\nsecond line,\r\n"),
       JobSheet{}.Texts(), ""},
      {"exactly 21 items", Bytes(head + "15,15"), JobSheet{}.Texts(), ""},
      {"Windows-1252 from an older program",
       Bytes("M\xFCller,K\xF6nig,\x80," + head.substr(27) + "15,15,\r\n"),
       DefaultsWith(
           {{Field::firstname, "Müller"}, {Field::lastname, "König"}, {Field::record, "€"}}),
       ""},
      {"byte order mark from an editor", Bytes("\xEF\xBB\xBF" + head + "15,15,\r\n"),
       JobSheet{}.Texts(), ""},
      {"comma saved inside a field shifts the rest",
       "A,B,12,34,-1.00,0.00,180,0.00,0.00,180,8.00,1.586,70,8.00,1.586,70,13.0,13.0,13.0,13.0,"
       "15,15,\r\n",
       PatientRecord{"A",     "B",    "12",   "34",   "-1.00", "0.00", "180",
                     "0.00",  "0.00", "180",  "8.00", "1.586", "70",   "8.00",
                     "1.586", "70",   "13.0", "13.0", "13.0",  "13.0", "15"},
       ""},
      {"exactly 20 items", Bytes(head + "15"), std::nullopt,
       "ends before the Face-form wrap field"},
      {"20 items, final comma and CR LF", Bytes(head + "15,\r\n"), std::nullopt,
       "only 20 of the 21 fields"},
      {"20 items and a final comma", Bytes(head + "15,"), std::nullopt, "only 20 of the 21"},
      {"wrap on the next line", Bytes(head + "15,\r\n15,\r\n"), std::nullopt, "only 20 of"},
      {"binary with enough commas", Bytes(head + "15,\x01\x02\x7F,\0,"), std::nullopt,
       "not a patient file"},
      {"tab in a field", Bytes(head + "15,1\t5,\r\n"), std::nullopt, "not a patient file"},
      {"C1 control from Windows-1252", Bytes(head + "15,15\x81,\r\n"), std::nullopt,
       "not a patient file"},
      {"one item", "just text\r\n", std::nullopt, "only 1 of the 21 fields"},
      {"empty file", "", std::nullopt, "the file is empty"},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("old.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteBytes(path, c.bytes));
    const LoadResult loaded = LoadPatientFile(path);
    if (c.expected) {
      ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
      EXPECT_EQ(loaded.sheet->Texts(), *c.expected);
    } else {
      EXPECT_FALSE(loaded.ok());
      EXPECT_TRUE(loaded.message.contains(QString::fromUtf8(c.messagePart)))
          << loaded.message.toStdString();
      EXPECT_TRUE(loaded.message.contains(path));
    }
  }
}

}  // namespace
}  // namespace asworn
