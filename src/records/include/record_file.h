// SPDX-License-Identifier: Apache-2.0
#pragma once
// Writing and reading one patient file. These are the only two places that open one.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "read_file.h"
#include "record_line.h"

namespace asworn {

struct RecordWriteResult {
  bool ok = false;
  QString message;  // why it failed, for the optician; empty on success
};

// Replaces the file at `path` with the one line of `record`, or leaves it as it was: the line
// goes to a temporary file beside it that is renamed over the old one only once it is whole.
// The folder must exist. Refuses, writing nothing, a record that would not read back
// unchanged (a comma in a field, text that is not UTF-8).
RecordWriteResult WritePatientRecord(const QString& path, const PatientRecord& record);

struct RecordReadResult {
  std::optional<std::vector<std::string>> items;  // every item of the file, cut at commas
  QString message;                                // why it failed; empty on success

  bool ok() const { return items.has_value(); }
};

// The items of the file at `path`. Only a regular file of at most kMaxRecordFileSize bytes is
// read; a missing file, a folder, a device, a pipe or a socket is refused without being
// opened, so a pipe cannot make the reader wait. A file whose record holds control characters
// (binary data) is refused as not a patient file.
RecordReadResult ReadPatientRecord(const QString& path);

// The same for a path in the file system's own bytes, which may not be in this computer's
// encoding; only a regular file is read, and the message says little more than why not.
RecordReadResult ReadPatientRecordAt(const QByteArray& nativePath);

// The items of a file read whole; `path` names it in the message.
RecordReadResult PatientRecordOf(const QString& path, const WholeFileRead& raw);

}  // namespace asworn
