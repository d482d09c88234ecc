#include "record_names.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace asworn {
namespace {

// The longest file name, in bytes and in UTF-16 units, that common file systems take.
constexpr qsizetype kMaxFileNameLength = 255;

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

std::optional<QString> DecodeName(std::string_view name) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                  QStringConverter::Flag::ConvertInitialBom);
  QString text = utf8.decode(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
  if (utf8.hasError()) return std::nullopt;
  return text;
}

std::optional<QString> OneNameProblem(const char* which, std::string_view raw) {
  const std::optional<QString> name = DecodeName(raw);
  if (!name) return QStringLiteral("the %1 is not valid UTF-8 text").arg(QLatin1String(which));
  const QString quoted = QStringLiteral("\"%1\"").arg(Escaped(*name));
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

QString DefaultPatientFolder() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return QDir(documents).filePath(QString::fromLatin1(kPatientFolderName));
}

QString PatientRecordFileName(std::string_view lastname, std::string_view firstname) {
  return QString::fromUtf8(lastname.data(), static_cast<qsizetype>(lastname.size())) + u'-' +
         QString::fromUtf8(firstname.data(), static_cast<qsizetype>(firstname.size())) +
         QStringLiteral(".txt");
}

QString PatientRecordPath(const QString& folder, std::string_view lastname,
                          std::string_view firstname) {
  return QDir(folder).filePath(PatientRecordFileName(lastname, firstname));
}

std::optional<QString> NameProblem(std::string_view lastname, std::string_view firstname) {
  if (auto problem = OneNameProblem("last name", lastname)) return problem;
  if (auto problem = OneNameProblem("first name", firstname)) return problem;
  const QString fileName = PatientRecordFileName(lastname, firstname);
  const qsizetype bytes = QFile::encodeName(fileName).size();
  if (bytes > kMaxFileNameLength || fileName.size() > kMaxFileNameLength)
    return QStringLiteral(
               "the names make a file name of %1 bytes, longer than the %2 a file name can have")
        .arg(bytes)
        .arg(kMaxFileNameLength);
  return std::nullopt;
}

QString DisplayPath(const QString& path) {
  return Escaped(QDir::toNativeSeparators(path));
}

}  // namespace asworn
