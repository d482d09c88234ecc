// SPDX-License-Identifier: Apache-2.0
#include "window_geometry.h"

#include <QSettings>
#include <QWidget>

namespace asworn::app {
namespace {

constexpr char kGeometryKey[] = "window/geometry";

const QString kApplicationId = QStringLiteral(ASWORN_APP_ID);

}  // namespace

void RestoreWindowGeometry(QWidget* window) {
  const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationId);
  const QByteArray stored = settings.value(QString::fromLatin1(kGeometryKey)).toByteArray();
  // Qt moves a window whose screen is gone onto one that is there, and keeps the minimum size.
  if (!stored.isEmpty()) window->restoreGeometry(stored);
}

void StoreWindowGeometry(const QWidget* window) {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationId);
  settings.setValue(QString::fromLatin1(kGeometryKey), window->saveGeometry());
}

}  // namespace asworn::app
