// SPDX-License-Identifier: Apache-2.0
#include "patient_history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "free_name.h"
#include "native_path.h"
#include "patient_names.h"
#include "read_file.h"
#include "record_line.h"
#include "record_names.h"
#include "write_file.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace asworn {
namespace {

constexpr char kStampFormat[] = "yyyy-MM-dd HHmmss";

// More replacements of one patient in one second than any optician makes by hand.
constexpr int kMaxRepeats = 999;

QString HistoryName(const QString& base, const QDateTime& when, int repeat) {
  QString name = base + u' ' + when.toString(QLatin1String(kStampFormat));
  if (repeat > 1) name += QStringLiteral(" (%1)").arg(repeat);
  return name + QStringLiteral(".txt");
}

QString NotKept(const QString& path, const QString& why) {
  return QStringLiteral("the earlier record in %1 could not be kept in %2: %3")
      .arg(QuotedPath(path),
           QuotedPath(QFileInfo(path).dir().filePath(QLatin1String(kHistoryFolderName))), why);
}

}  // namespace

std::optional<QString> HistoryRoomProblem(const QString& fileName) {
  constexpr qsizetype kMaxFileName = 255;
  const qsizetype room = kMaxFileName - qsizetype{sizeof(" 2026-01-01 000000 (999)") - 1};
  const qsizetype bytes = NativePath(fileName).size();
  if (bytes <= room) return std::nullopt;
  return QStringLiteral(
             "the names make a file name of %1 bytes; with the date and time that History/ "
             "adds to its earlier records it would be longer than a file name can be, so keep "
             "it to %2 bytes (shorten a name)")
      .arg(bytes)
      .arg(room);
}

KeptRecord KeepEarlierRecord(const QString& path, const QByteArray& replacement,
                             const QDateTime& when) {
  const WholeFileRead earlier = ReadRegularFile(path, kMaxRecordFileSize);
  if (!earlier.bytes) return {false, {}, NotKept(path, earlier.error)};
  if (earlier.bytes->isEmpty() || *earlier.bytes == replacement) return {true, {}, {}};

  const QDir folder = QFileInfo(path).dir();
  const QString history = folder.filePath(QLatin1String(kHistoryFolderName));
  const bool made = !QFileInfo::exists(history);
  if (made && !folder.mkdir(QLatin1String(kHistoryFolderName)))
    return {false, {}, NotKept(path, QStringLiteral("the folder could not be created"))};
  if (!QFileInfo(history).isDir())
    return {false, {}, NotKept(path, QStringLiteral("it is a file, not a folder"))};
  const auto failed = [&](const QString& why) {
    if (made) QDir().rmdir(history);  // no empty History/ of our own left behind
    return KeptRecord{false, {}, NotKept(path, why)};
  };

  // Whole and on the disk before the patient file is replaced, or a crash could lose both.
  const TemporaryFile copy =
      WriteTemporaryFile(history, QStringLiteral("keeping"), *earlier.bytes, Readers::ownerOnly);
  if (!copy.error.isEmpty()) return failed(copy.error);
  // Renaming never replaces a file of that name: a taken name moves on to the next repeat.
  const QString base = QFileInfo(path).completeBaseName();
  const FreeNameMove moved = MoveToFreeName(
      PathFromNative(copy.nativePath),
      [&](int repeat) { return QDir(history).filePath(HistoryName(base, when, repeat)); }, 1,
      kMaxRepeats);
  if (moved.moved) return {true, moved.target, {}};
  ::unlink(copy.nativePath.constData());
  if (!moved.error.isEmpty()) return failed(moved.error);
  return failed(QStringLiteral("more than %1 records were kept in that second").arg(kMaxRepeats));
}

std::vector<EarlierRecord> PatientHistory(const QString& folder, std::string_view lastname,
                                          std::string_view firstname) {
  static const QRegularExpression kName(
      QStringLiteral(R"(^(.*) (\d{4}-\d{2}-\d{2} \d{6})(?: \((\d+)\))?\.txt$)"),
      QRegularExpression::CaseInsensitiveOption);
  const QString patient =
      PatientRecordFileName(TrimmedName(lastname), TrimmedName(firstname)).chopped(4);
  std::vector<EarlierRecord> records;
  const QDir history(QDir(folder).filePath(QLatin1String(kHistoryFolderName)));
  for (const QString& name : history.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    const QRegularExpressionMatch match = kName.match(name);
    if (!match.hasMatch() || match.captured(1).compare(patient, Qt::CaseInsensitive) != 0) continue;
    const QDateTime replaced =
        QDateTime::fromString(match.captured(2), QLatin1String(kStampFormat));
    if (!replaced.isValid()) continue;
    const int repeat = match.captured(3).isEmpty() ? 1 : match.captured(3).toInt();
    records.push_back({history.filePath(name), replaced, repeat});
  }
  std::sort(records.begin(), records.end(), [](const EarlierRecord& a, const EarlierRecord& b) {
    return a.replaced != b.replaced ? a.replaced > b.replaced : a.repeat > b.repeat;
  });
  return records;
}

}  // namespace asworn
