// SPDX-License-Identifier: Apache-2.0
#include "record_names.h"
#include "native_path.h"

#include "qt_text.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace asworn {
namespace {

// The longest file name, in bytes and in UTF-16 units, that common file systems take.
constexpr qsizetype kMaxFileNameLength = 255;

// How much of a field's text a message quotes.
constexpr qsizetype kQuotedLength = 40;

bool IsControl(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString Escaped(const QString& text) {
  QString shown;
  for (const QChar c : text) {
    if (IsControl(c.unicode()))
      shown += QString::asprintf("\\x%02X", static_cast<unsigned>(c.unicode()));
    else
      shown += c;
  }
  return shown;
}

QString Cut(const QString& text) {
  if (text.size() <= kQuotedLength) return text;
  qsizetype end = kQuotedLength;
  if (text[end - 1].isHighSurrogate()) --end;  // never half a character
  return text.left(end) + u'\u2026';
}

QString Quote(const QString& text) {
  return QStringLiteral("\"%1\"").arg(Escaped(Cut(text)));
}

std::optional<QString> OneNameProblem(const char* which, std::string_view raw) {
  const std::optional<QString> name = DecodeUtf8(raw);
  if (!name) return QStringLiteral("the %1 is not valid UTF-8 text").arg(QLatin1String(which));
  const QString quoted = Quote(*name);
  for (const QChar c : *name) {
    if (c == u'/' || c == u'\\')
      return QStringLiteral("the %1 %2 holds \"%3\", which would point outside the patient folder")
          .arg(QLatin1String(which), quoted, QString(c));
    if (IsControl(c.unicode()))
      return QStringLiteral(
                 "the %1 %2 holds a control character (%3), which a file name cannot hold")
          .arg(QLatin1String(which), quoted,
               QString::asprintf("\\x%02X", static_cast<unsigned>(c.unicode())));
#ifdef Q_OS_WIN
    if (QStringView(u"<>:\"|?*").contains(c))
      return QStringLiteral("the %1 %2 holds \"%3\", which a file name cannot hold")
          .arg(QLatin1String(which), quoted, QString(c));
#endif
  }
  if (*name == u"." || *name == u"..")
    return QStringLiteral("the %1 is %2, which a file name cannot be made of")
        .arg(QLatin1String(which), quoted);
  return std::nullopt;
}

}  // namespace

QString HomeFolder(const QByteArray& homeVariable, const QByteArray& passwordDatabaseHome) {
  for (const QByteArray& home : {homeVariable, passwordDatabaseHome}) {
    const QString path = PathFromNative(home);
    if (!path.isEmpty() && QDir::isAbsolutePath(path)) return QDir::cleanPath(path);
  }
  return {};
}

QString NoPatientFolderReason() {
  return QStringLiteral(
      "no home folder is known for this user (HOME is not an absolute path and the password "
      "database has none), so there is no patient folder");
}

QString DefaultPatientFolder() {
  const QByteArray homeVariable = qgetenv("HOME");
  QByteArray passwordDatabaseHome;
#ifdef Q_OS_UNIX
  // getpwuid_r, not getpwuid: the buffer is ours, whatever other threads look up.
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir)
    passwordDatabaseHome = QByteArray(found->pw_dir);
#endif
  const QString home = HomeFolder(homeVariable, passwordDatabaseHome);
  if (home.isEmpty()) return {};
  // Qt finds the documents folder from HOME (and the desktop's folder settings in it); with
  // HOME unusable, the usual one in the home folder from the password database.
  QString documents;
  if (home == HomeFolder(homeVariable, {}))
    documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir(home).filePath(QStringLiteral("Documents"));
  return QDir(documents).filePath(QString::fromLatin1(kPatientFolderName));
}

QString PatientRecordFileName(std::string_view lastname, std::string_view firstname) {
  return ToQString(lastname) + u'-' + ToQString(firstname) + QStringLiteral(".txt");
}

QString PatientRecordPath(const QString& folder, std::string_view lastname,
                          std::string_view firstname) {
  return QDir(folder).filePath(PatientRecordFileName(lastname, firstname));
}

std::optional<QString> NameProblem(std::string_view lastname, std::string_view firstname) {
  if (auto problem = OneNameProblem("last name", lastname)) return problem;
  if (auto problem = OneNameProblem("first name", firstname)) return problem;
  const QString fileName = PatientRecordFileName(lastname, firstname);
  const qsizetype bytes = NativePath(fileName).size();
  if (bytes > kMaxFileNameLength || fileName.size() > kMaxFileNameLength)
    return QStringLiteral(
               "the names make a file name of %1 bytes, longer than the %2 a file name can have")
        .arg(bytes)
        .arg(kMaxFileNameLength);
  return std::nullopt;
}

std::optional<QString> SaveNameProblem(std::string_view lastname, std::string_view firstname) {
  for (const auto& [which, name] :
       {std::pair{"last name", lastname}, std::pair{"first name", firstname}}) {
    if (name.empty())
      return QStringLiteral(
                 "the %1 is empty; every patient saved without it would share one file, so "
                 "fill it in")
          .arg(QLatin1String(which));
    if (name.front() == '.')
      return QStringLiteral(
                 "the %1 %2 begins with a full stop, which would make a hidden file; remove it")
          .arg(QLatin1String(which), QuotedText(name));
  }
  return std::nullopt;
}

QString QuotedText(std::string_view text) {
  return Quote(ToQString(text));
}

}  // namespace asworn
