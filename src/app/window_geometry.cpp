// SPDX-License-Identifier: Apache-2.0
#include "window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace asworn::app {
namespace {

// The client area, not the frame: the frame's size is the window system's, unknown until the
// window is shown, and a window placed by its frame would creep by the frame on every start.
constexpr char kGeometryKey[] = "window/geometry";
constexpr char kMaximizedKey[] = "window/maximized";

const QString kApplicationId = QStringLiteral(ASWORN_APP_ID);

// `area` moved, and made smaller where it must, onto a screen that is there now: the one
// holding its centre, else the primary screen.
QRect OnScreen(QRect area) {
  const QScreen* screen = QGuiApplication::screenAt(area.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return area;
  const QRect room = screen->availableGeometry();
  area.setSize(area.size().boundedTo(room.size()));
  area.moveLeft(std::clamp(area.left(), room.left(), room.right() + 1 - area.width()));
  area.moveTop(std::clamp(area.top(), room.top(), room.bottom() + 1 - area.height()));
  return area;
}

}  // namespace

void RestoreWindowGeometry(QWidget* window) {
  const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationId);
  const QRect stored = settings.value(QString::fromLatin1(kGeometryKey)).toRect();
  if (!stored.isValid()) return;
  QRect area = OnScreen(stored);
  area.setSize(area.size().expandedTo(window->minimumSize()));
  window->setGeometry(area);
  if (settings.value(QString::fromLatin1(kMaximizedKey)).toBool())
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void StoreWindowGeometry(const QWidget* window) {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationId);
  const bool maximized = window->isMaximized() || window->isFullScreen();
  settings.setValue(QString::fromLatin1(kGeometryKey),
                    maximized ? window->normalGeometry() : window->geometry());
  settings.setValue(QString::fromLatin1(kMaximizedKey), window->isMaximized());
}

}  // namespace asworn::app
