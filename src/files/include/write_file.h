// SPDX-License-Identifier: Apache-2.0
#pragma once
// Writing a file whole or not at all: the bytes go to a temporary file beside the target and
// take its name only once they are whole and on the disk, so a reader sees no file or all of
// it, and a crash or a full disk leaves what was there before.

#include <QByteArray>
#include <QString>

namespace asworn {

// Whether a file already bearing the name is replaced or kept.
enum class Existing { replace, keep };

// Who may read the file: as any file made in its folder (the umask's permissions), or its
// owner only.
enum class Readers { asUsual, ownerOnly };

struct TemporaryFile {
  QByteArray nativePath;  // empty when it could not be made
  QString error;          // why not; empty on success
};

// `bytes` in a new hidden file in `folder` ("." + `stem` + ".XXXXXX"), flushed to disk and
// closed, for the caller to rename or remove.
TemporaryFile WriteTemporaryFile(const QString& folder, const QString& stem,
                                 const QByteArray& bytes, Readers readers = Readers::asUsual);

// Writes `bytes` as `name` in `folder` through a temporary file. A link of that name is
// replaced, never followed; with Existing::keep a file of that name is left alone and the
// write fails with the system's "File exists". Returns why it failed; empty on success.
QString WriteFileWhole(const QString& folder, const QString& name, const QByteArray& bytes,
                       Existing existing = Existing::replace);

// Replaces the file at `path` with `bytes`, keeping the permissions of the file it replaces
// (a patient file the user has made private stays private) and writing through a link to the
// file it names. Returns why it failed, in Qt's words; empty on success.
QString ReplaceFileKeepingPermissions(const QString& path, const QByteArray& bytes);

// Renames `from` to `to` unless `to` exists; false with errno set otherwise (EEXIST when it
// does). On a file system without an atomic no-replace rename it looks first, so two writers
// must then share a lock.
bool RenameWithoutReplacing(const QByteArray& from, const QByteArray& to);
bool RenameWithoutReplacing(const QString& from, const QString& to);

}  // namespace asworn
