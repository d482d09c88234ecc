// SPDX-License-Identifier: Apache-2.0
#pragma once
// The program's own pictures, drawn as SVG and kept in the Qt resource ":/pictures".

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace asworn::app {

namespace picture {
inline const QString kGears = QStringLiteral(":/pictures/gears.svg");
inline const QString kPrinter = QStringLiteral(":/pictures/printer.svg");
inline const QString kDiskDrive = QStringLiteral(":/pictures/disk_drive.svg");
inline const QString kExit = QStringLiteral(":/pictures/exit.svg");
inline const QString kComputer = QStringLiteral(":/pictures/computer.svg");
inline const QString kAbout = QStringLiteral(":/pictures/about.svg");
inline const QString kWindowIcon = QStringLiteral(":/pictures/window_icon.svg");
}  // namespace picture

// The picture at `path`, `size` logical pixels, drawn sharp for `devicePixelRatio`.
QPixmap RenderPicture(const QString& path, QSize size, qreal devicePixelRatio = 1.0);

// An icon that shows the same picture in every mode (normal, pressed, disabled, selected),
// drawn from its SVG when it is first asked for: the window shows itself without waiting for
// the pictures of its buttons.
QIcon SameInEveryMode(const QString& path, QSize size, qreal devicePixelRatio = 1.0);

QIcon WindowIcon();

}  // namespace asworn::app
