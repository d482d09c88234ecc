#include "patient_list.h"

#include <QDir>
#include <QFile>
#include <algorithm>

#include "patient_records.h"
#include "record_encoding.h"
#include "record_names.h"

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#endif

namespace asworn {
namespace {

struct FolderFile {
  QByteArray name;  // the file system's bytes
  QDateTime saved;
};

bool IsPatientFileName(const QByteArray& name) {
  return !name.startsWith('.') && name.size() > 4 &&
         name.right(4).compare(QByteArrayLiteral(".txt"), Qt::CaseInsensitive) == 0;
}

#ifdef Q_OS_UNIX
// Regular files by their raw names: a folder written by another system may hold names that
// are not in this computer's encoding, and those must still be found and opened.
std::vector<FolderFile> FolderFiles(const QByteArray& folder, QString& problem) {
  std::vector<FolderFile> files;
  DIR* dir = ::opendir(folder.constData());
  if (!dir) {
    problem = QString::fromLocal8Bit(std::strerror(errno));
    return files;
  }
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (!IsPatientFileName(name)) continue;
    if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) continue;
    struct stat status {};
    if (::fstatat(fd, entry->d_name, &status, 0) != 0 || !S_ISREG(status.st_mode)) continue;
    const qint64 ms = qint64{status.st_mtim.tv_sec} * 1000 + status.st_mtim.tv_nsec / 1000000;
    files.push_back({name, QDateTime::fromMSecsSinceEpoch(ms)});
  }
  ::closedir(dir);
  return files;
}
#else
std::vector<FolderFile> FolderFiles(const QByteArray& folder, QString& problem) {
  std::vector<FolderFile> files;
  const QDir dir(QFile::decodeName(folder));
  if (!dir.exists()) problem = QStringLiteral("there is no such folder");
  for (const QFileInfo& info : dir.entryInfoList(QDir::Files)) {
    const QByteArray name = QFile::encodeName(info.fileName());
    if (IsPatientFileName(name)) files.push_back({name, info.lastModified()});
  }
  return files;
}
#endif

PatientListEntry EntryOf(const QByteArray& folder, const FolderFile& file) {
  PatientListEntry entry;
  entry.fileName = DecodeRecordBytes(file.name);
  entry.nativePath = folder + '/' + file.name;
  entry.saved = file.saved;
  const LoadResult loaded = LoadPatientFileAt(entry.nativePath);
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
  const QByteArray native = QFile::encodeName(QDir::cleanPath(folder));
  const std::vector<FolderFile> files = FolderFiles(native, list.problem);
  if (!list.problem.isEmpty()) {
    list.problem = QStringLiteral("The patient folder %1 could not be listed: %2.")
                       .arg(QuotedPath(folder), list.problem);
    return list;
  }
  list.patients.reserve(files.size());
  for (const FolderFile& file : files) list.patients.push_back(EntryOf(native, file));
  std::sort(list.patients.begin(), list.patients.end(),
            [](const PatientListEntry& a, const PatientListEntry& b) {
              return a.saved != b.saved ? a.saved > b.saved : a.fileName < b.fileName;
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
