// SPDX-License-Identifier: Apache-2.0
#include "patient_names.h"

#include <QDirIterator>

#include "qt_text.h"

namespace asworn {

std::string TrimmedName(std::string_view name) {
  const std::optional<QString> text = DecodeUtf8(name);
  if (!text) return std::string(name);
  return text->trimmed().toStdString();
}

bool SameName(std::string_view a, std::string_view b) {
  return ToQString(a).trimmed().compare(ToQString(b).trimmed(), Qt::CaseInsensitive) == 0;
}

QStringList FilesOfName(const QString& folder, const QString& fileName) {
  QStringList found;
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
  while (it.hasNext()) {
    const QString name = it.nextFileInfo().fileName();
    if (name.compare(fileName, Qt::CaseInsensitive) != 0) continue;
    if (name == fileName)
      found.prepend(name);
    else
      found.append(name);
  }
  return found;
}

}  // namespace asworn
