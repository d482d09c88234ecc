// SPDX-License-Identifier: Apache-2.0
#include "patient_list.h"

#include <QDir>
#include <QFile>
#include <algorithm>

#include "native_path.h"
#include "patient_records.h"
#include "read_file.h"
#include "record_encoding.h"
#include "record_line.h"
#include "record_names.h"

#ifdef Q_OS_UNIX
#include <dirent.h>

#include <cerrno>
#include <cstring>
#endif

namespace asworn {
namespace {

bool IsPatientFileName(const QByteArray& name) {
  return !name.startsWith('.') && name.size() > 4 &&
         name.right(4).compare(QByteArrayLiteral(".txt"), Qt::CaseInsensitive) == 0;
}

PatientListEntry EntryOf(const QByteArray& folder, const QByteArray& name,
                         const WholeFileRead& raw) {
  PatientListEntry entry;
  entry.fileName = DecodeRecordBytes(name);
  entry.nativePath = folder + '/' + name;
  entry.savedMs = raw.modifiedMs;
  const LoadResult loaded = LoadPatientRead(DecodeRecordBytes(entry.nativePath), raw);
  if (!loaded.ok()) {
    entry.problem = loaded.message;
    entry.searchKey = FoldedForSearch(entry.fileName);
    return entry;
  }
  const JobSheet& sheet = *loaded.sheet;
  entry.lastname = QString::fromStdString(sheet[Field::lastname]);
  entry.firstname = QString::fromStdString(sheet[Field::firstname]);
  entry.record = QString::fromStdString(sheet[Field::record]);
  entry.searchKey = FoldedForSearch(entry.firstname + u'\n' + entry.lastname);
  return entry;
}

#ifdef Q_OS_UNIX
// By raw names: a folder written by another system may hold names that are not in this
// computer's encoding, and those must still be found and opened. Each file is opened inside
// the open folder, read whole and closed: one walk of the folder's path for all of them.
QString ReadFolder(const QByteArray& folder, std::vector<PatientListEntry>& patients) {
  DIR* dir = ::opendir(folder.constData());
  if (!dir) return QString::fromLocal8Bit(std::strerror(errno));
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (entry->d_type == DT_DIR || !IsPatientFileName(name)) continue;
    const WholeFileRead raw = ReadRegularFileIn(fd, entry->d_name, kMaxRecordFileSize);
    patients.push_back(EntryOf(folder, name, raw));
  }
  ::closedir(dir);
  return {};
}
#else
QString ReadFolder(const QByteArray& folder, std::vector<PatientListEntry>& patients) {
  const QDir dir(PathFromNative(folder));
  if (!dir.exists()) return QStringLiteral("there is no such folder");
  for (const QFileInfo& info : dir.entryInfoList(QDir::Files)) {
    const QByteArray name = NativePath(info.fileName());
    if (!IsPatientFileName(name)) continue;
    WholeFileRead raw = ReadRegularFile(info.filePath(), kMaxRecordFileSize);
    raw.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    patients.push_back(EntryOf(folder, name, raw));
  }
  return {};
}
#endif

// Letters that carry no combining mark to drop, as people search for them.
QString PlainLetter(char16_t c) {
  switch (c) {
    case u'ø':
      return QStringLiteral("o");
    case u'ł':
      return QStringLiteral("l");
    case u'đ':
      return QStringLiteral("d");
    case u'ħ':
      return QStringLiteral("h");
    case u'ı':
      return QStringLiteral("i");
    case u'æ':
      return QStringLiteral("ae");
    case u'œ':
      return QStringLiteral("oe");
    case u'ß':
      return QStringLiteral("ss");
    case u'þ':
      return QStringLiteral("th");
    default:
      return {};
  }
}

}  // namespace

QString FoldedForSearch(const QString& text) {
  // Most names are plain ASCII, which lower case alone folds.
  if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
    return text.toLower();
  const QString decomposed = text.toLower().normalized(QString::NormalizationForm_KD);
  QString folded;
  folded.reserve(decomposed.size());
  for (const QChar c : decomposed) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    const QString plain = PlainLetter(c.unicode());
    if (plain.isEmpty())
      folded += c;
    else
      folded += plain;
  }
  return folded.toCaseFolded();
}

PatientList ListPatients(const QString& folder) {
  PatientList list;
  const QByteArray native = NativePath(QDir::cleanPath(folder));
  const QString problem = ReadFolder(native, list.patients);
  if (!problem.isEmpty()) {
    list.problem = QStringLiteral("The patient folder %1 could not be listed: %2.")
                       .arg(QuotedPath(folder), problem);
    return list;
  }
  // By the plain number: local times compare only through a time-zone lookup each.
  std::sort(list.patients.begin(), list.patients.end(),
            [](const PatientListEntry& a, const PatientListEntry& b) {
              return a.savedMs != b.savedMs ? a.savedMs > b.savedMs : a.fileName < b.fileName;
            });
  return list;
}

std::vector<std::size_t> FindPatients(const std::vector<PatientListEntry>& patients,
                                      const QString& search) {
  const QStringList words = FoldedForSearch(search).simplified().split(u' ', Qt::SkipEmptyParts);
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < patients.size(); ++i) {
    const QString& key = patients[i].searchKey;
    if (std::all_of(words.cbegin(), words.cend(),
                    [&key](const QString& word) { return key.contains(word); }))
      rows.push_back(i);
  }
  return rows;
}

}  // namespace asworn
