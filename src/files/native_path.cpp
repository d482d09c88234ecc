// SPDX-License-Identifier: Apache-2.0
#include "native_path.h"

#include <QDir>
#include <QFile>

namespace asworn {

QByteArray NativePath(const QString& path) {
  return QFile::encodeName(path);
}

QString PathFromNative(const QByteArray& native) {
  return QFile::decodeName(native);
}

QString PathFromNative(const std::string& native) {
  return PathFromNative(QByteArray::fromStdString(native));
}

std::string NativePathText(const QString& path) {
  return NativePath(path).toStdString();
}

bool SurvivesDecoding(const QByteArray& native) {
  return NativePath(PathFromNative(native)) == native;
}

QString DisplayPath(const QString& path) {
  QString shown;
  for (const QChar c : QDir::toNativeSeparators(path)) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
      shown += QString::asprintf("\\x%02X", static_cast<unsigned>(u));
    else
      shown += c;
  }
  return shown;
}

QString QuotedPath(const QString& path) {
  return QStringLiteral("\"%1\"").arg(DisplayPath(path));
}

}  // namespace asworn
