#pragma once
// Reading and replacing a small file whole: the file operations under patient files and lab
// job files.

#include <QByteArray>
#include <QString>
#include <optional>

namespace asworn {

struct WholeFileRead {
  std::optional<QByteArray> bytes;
  QString error;  // why it could not be read; empty on success
};

// The bytes of a regular file of at most `maxSize` bytes. Opened without blocking and checked
// again once open, so a pipe or device put in its place cannot make the reader wait.
WholeFileRead ReadRegularFile(const QString& path, qint64 maxSize);

// Replaces the file at `path` with `bytes`, or leaves it as it was: they go to a temporary
// file beside it that is renamed over the old one only once it is whole. Returns why it
// failed; empty on success.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace asworn
