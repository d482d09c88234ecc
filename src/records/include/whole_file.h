// SPDX-License-Identifier: Apache-2.0
#pragma once
// Reading and replacing a small file whole: the file operations under patient files and lab
// job files.

#include <QByteArray>
#include <QString>
#include <optional>

namespace asworn {

struct WholeFileRead {
  std::optional<QByteArray> bytes;
  QString error;          // why it could not be read; empty on success
  qint64 modifiedMs = 0;  // the file's last change, milliseconds since the epoch
};

// The bytes of a regular file of at most `maxSize` bytes. Opened without blocking and checked
// again once open, so a pipe or device put in its place cannot make the reader wait.
WholeFileRead ReadRegularFile(const QString& path, qint64 maxSize);

// The same for a path given in the file system's own bytes, which reach a file whose name is
// not in this computer's encoding (a folder shared with older Windows programs).
WholeFileRead ReadRegularFileAt(const QByteArray& nativePath, qint64 maxSize);

#ifdef Q_OS_UNIX
// The same for the file `name` in the open folder `folder`: a listing of many files opens
// each without walking the folder's path again.
WholeFileRead ReadRegularFileIn(int folder, const char* name, qint64 maxSize);
#endif

// Replaces the file at `path` with `bytes`, or leaves it as it was: they go to a temporary
// file beside it that is renamed over the old one only once it is whole. Returns why it
// failed; empty on success.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace asworn
