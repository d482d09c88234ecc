// SPDX-License-Identifier: Apache-2.0
#pragma once
// Paths between Qt's QString and the file system's own bytes, and paths fit for a message.

#include <QByteArray>
#include <QString>
#include <string>

namespace asworn {

// The file system's bytes of `path` (the locale's file-name encoding).
QByteArray NativePath(const QString& path);

// The QString of a path in the file system's bytes, e.g. a command-line argument.
QString PathFromNative(const QByteArray& native);
QString PathFromNative(const std::string& native);

// The file system's bytes of `path` as a std::string, as the command line prints it.
std::string NativePathText(const QString& path);

// Whether `native` comes back unchanged through QString: a name that is not text in the
// file-name encoding cannot be opened again through its QString.
bool SurvivesDecoding(const QByteArray& native);

// A path fit for a message: native separators, control characters shown as \xNN.
QString DisplayPath(const QString& path);

// The same in quotes, as every message about a file names it.
QString QuotedPath(const QString& path);

}  // namespace asworn
