// SPDX-License-Identifier: Apache-2.0
// Random bytes through the reader: it must neither crash nor hang, must cut exactly at the
// commas, and whatever it loads must save and load back unchanged.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <ctime>
#include <random>

#include "patient_records.h"
#include "record_encoding.h"
#include "test_files.h"

namespace asworn {
namespace {

// Bytes that stress the reader: commas and line ends, stray high bytes, valid and broken
// UTF-8 sequences, NULs.
QByteArray RandomFileBytes(std::mt19937& random) {
  static const char* const pieces[] = {",",
                                       ",",
                                       ",",
                                       "\r\n",
                                       "\n",
                                       "\r",
                                       "a",
                                       "15",
                                       " ",
                                       "\xC3\xBC",
                                       "\xE2\x82\xAC",
                                       "\xF0\x9F\x98\x80",
                                       "\xC3",
                                       "\x80",
                                       "\xFF",
                                       "\xEF\xBB\xBF",
                                       std::string_view("\0", 1).data()};
  QByteArray bytes;
  // Half the files start with a clean line of about 21 items, so that whole records come up
  // among the random ones; what follows stays random.
  static const char* const clean[] = {"a", "15", " ", "\xC3\xBC", "\xF0\x9F\x98\x80", "\x80"};
  if (random() % 2 == 0) {
    for (int items = 18 + static_cast<int>(random() % 7); items > 0; --items)
      bytes += QByteArray(clean[random() % std::size(clean)]) + ',';
    if (random() % 2 == 0) bytes += "\r\n";
  }
  const int length = static_cast<int>(random() % 150);
  for (int i = 0; i < length; ++i) {
    if (random() % 4 == 0)
      bytes += ',';
    else if (random() % 3 == 0)
      bytes += static_cast<char>(random() % 256);
    else {
      const std::size_t piece = random() % std::size(pieces);
      bytes += piece + 1 == std::size(pieces) ? QByteArray(1, '\0') : QByteArray(pieces[piece]);
    }
  }
  return bytes;
}

TEST(RecordReaderFuzz, RandomFilesNeitherCrashNorHangAndRoundTrip) {
  std::mt19937 random(4);
  // Thousands of small files: in memory-backed /dev/shm where there is one, so that a disk
  // busy with other work does not set the pace.
  const QFileInfo shm(QStringLiteral("/dev/shm"));
  const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
  QTemporaryDir dir(base + QStringLiteral("/asworn-reader-fuzz-XXXXXX"));
  ASSERT_TRUE(dir.isValid());
  const std::clock_t start = std::clock();
  int loadedCount = 0;
  for (int round = 0; round < 3000; ++round) {
    const QByteArray bytes = RandomFileBytes(random);
    // A new file each time: rewriting one file in place makes some file systems flush it.
    const QString path = dir.filePath(QString::number(round));
    ASSERT_TRUE(testing::WriteBytes(path, bytes));

    const RecordReadResult read = ReadPatientRecord(path);
    // The record is the first line (a byte order mark alone reads as empty); a control
    // character in it makes the file no patient file.
    const QString text = DecodeRecordBytes(bytes);
    const QString line = text.left(text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
    if (line.contains(
            QRegularExpression(QStringLiteral("[\\x00-\\x1F\\x7F-\\x9F\\x{2028}\\x{2029}]")))) {
      ASSERT_FALSE(read.ok()) << "round " << round;
      continue;
    }
    ASSERT_TRUE(read.ok()) << read.message.toStdString();
    // Cut at the commas; the empty rest behind a final comma is no item.
    const std::size_t pieces = line.isEmpty() ? 0 : line.count(u',') + 1;
    ASSERT_EQ(read.items->size(), pieces - (line.endsWith(u',') ? 1 : 0)) << "round " << round;

    const LoadResult loaded = LoadPatientFile(path);
    ASSERT_EQ(loaded.ok(), read.items->size() >= kFieldCount) << "round " << round;
    if (!loaded.ok()) continue;
    ++loadedCount;
    // Whatever loads must store and load back unchanged.
    const EncodedRecord encoded = EncodeRecord(loaded.sheet->Texts());
    if (!encoded.bytes) {
      // Only a first name that starts with a byte order mark cannot be kept.
      ASSERT_TRUE(QString::fromStdString((*loaded.sheet)[Field::firstname]).startsWith(u'\uFEFF'))
          << encoded.problem.toStdString();
      continue;
    }
    const std::optional<JobSheet> back = SheetFromItems(DecodeRecordItems(*encoded.bytes));
    ASSERT_TRUE(back);
    ASSERT_EQ(*back, *loaded.sheet) << "round " << round;
  }
  EXPECT_GT(loadedCount, 100);  // the generator must reach whole records, not only refusals
  // Processor time, about a quarter second: a busy machine stretches the wall clock, and the
  // test's own time limit catches a reader that waits.
  EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 2.0);
}

}  // namespace
}  // namespace asworn
