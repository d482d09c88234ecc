// SPDX-License-Identifier: Apache-2.0
#pragma once
// One job file of a lab's drop folder, read as untrusted input: whoever can write to the drop
// must not make the service read, echo or wait on anything but a plain job file in it.

#include <sys/stat.h>
#include <QByteArray>
#include <QString>
#include <optional>

namespace asworn::cli {

// Job files with traces reach a few hundred kilobytes; anything far larger is not one.
inline constexpr qint64 kMaxJobFileSize = qint64{16} * 1024 * 1024;

struct DropJobRead {
  std::optional<QByteArray> bytes;
  bool regular = true;  // false: a link, FIFO, device or folder; never opened
  QString reason;       // why it was not read, as the answer's XSTATUS says it
};

// The job's own status, not a link's target; none when it is gone.
std::optional<struct stat> StatusOf(const QString& path);

// The bytes of the regular file at `path` if it holds at most `maxSize` bytes of text (no NUL
// and no control character but tab, line ends and the serial framing bytes).
DropJobRead ReadDropJob(const QString& path, qint64 maxSize);

// Writes `bytes` to a hidden temporary file in `folder`, flushed to disk, and renames it to
// `name`: a reader sees no file or the whole of it, and a link of that name is replaced,
// never followed. Returns why it failed; empty on success.
QString WriteWhole(const QString& folder, const QString& name, const QByteArray& bytes);

// Renames `from` to `to` unless `to` exists; false with errno set otherwise.
bool RenameWithoutReplacing(const QString& from, const QString& to);

}  // namespace asworn::cli
