// SPDX-License-Identifier: Apache-2.0
#pragma once
// Reading a small file whole, as untrusted input: only a regular file of at most a given size
// is read, opened without blocking and checked again once open, so a pipe or device put in
// its place can never make the reader wait. What else is refused is the caller's choice.

#include <QByteArray>
#include <QString>
#include <optional>

namespace asworn {

struct ReadRules {
  qint64 maxSize = 0;
  bool followLinks = true;  // false: a link is refused, never followed
  bool textOnly = false;    // true: refused when it holds bytes no text file has
};

enum class ReadRefusal {
  none,
  system,      // the system refused: no such file, no permission... (see `errorNumber`)
  notRegular,  // a folder, pipe, device or socket; a link when links are not followed
  tooLarge,    // larger than the rules' size
  grew,        // grew larger than that size while being read
  notText,
};

struct WholeFileRead {
  std::optional<QByteArray> bytes;
  ReadRefusal refusal = ReadRefusal::none;
  int errorNumber = 0;    // errno, for ReadRefusal::system
  QString error;          // why it could not be read, in words (see RefusalText); empty if read
  qint64 modifiedMs = 0;  // the file's last change, milliseconds since the epoch
};

// Text for ReadRules::textOnly: no NUL and no control character but tab, the line ends and
// the framing bytes a serial link puts around records (FS, GS, EOT).
bool IsText(const QByteArray& bytes);

// Why a file was not read, as messages about a file say it: "it is not a regular file", "it
// is larger than N bytes", the system's own words...
QString RefusalText(const WholeFileRead& read, qint64 maxSize);

// The bytes of the file at `path`.
WholeFileRead ReadRegularFile(const QString& path, const ReadRules& rules);
inline WholeFileRead ReadRegularFile(const QString& path, qint64 maxSize) {
  return ReadRegularFile(path, ReadRules{maxSize});
}

// The same for a path given in the file system's own bytes, which reach a file whose name is
// not in this computer's encoding (a folder shared with older Windows programs).
WholeFileRead ReadRegularFileAt(const QByteArray& nativePath, const ReadRules& rules);
inline WholeFileRead ReadRegularFileAt(const QByteArray& nativePath, qint64 maxSize) {
  return ReadRegularFileAt(nativePath, ReadRules{maxSize});
}

// The same for the file `name` in the open folder `folder`: a listing of many files opens
// each without walking the folder's path again.
WholeFileRead ReadRegularFileIn(int folder, const char* name, const ReadRules& rules);
inline WholeFileRead ReadRegularFileIn(int folder, const char* name, qint64 maxSize) {
  return ReadRegularFileIn(folder, name, ReadRules{maxSize});
}

}  // namespace asworn
