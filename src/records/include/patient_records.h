// SPDX-License-Identifier: Apache-2.0
#pragma once
// Saving the job sheet as a patient file and loading one back: everything the Save and Load
// buttons do apart from their message boxes. Nothing here asks the user anything or shows
// anything; each result carries the message to show when it failed.

#include <QDateTime>
#include <QString>
#include <optional>

#include "job_sheet.h"
#include "number_format.h"
#include "record_file.h"
#include "record_line.h"
#include "record_names.h"

namespace asworn {

enum class SaveStatus {
  saved,
  refused,  // the names or texts cannot be stored; nothing was touched
  failed,   // the folder could not be made or the file not written; the old file stands
};

struct SaveResult {
  SaveStatus status = SaveStatus::failed;
  QString path;     // the patient file written (or that would have been)
  QString message;  // on failure: what went wrong, naming the path; empty on success
  QString kept;     // the earlier record's copy in History/; empty when nothing was replaced

  bool ok() const { return status == SaveStatus::saved; }
};

// Writes the 21 texts of `sheet` to lastname-firstname.txt in `folder`, creating the folder
// when it is missing and replacing an earlier file of the same patient whole, after keeping
// its record in History/ as replaced at `now` (when that cannot be done, nothing is
// replaced). The names are stored without blanks around them; a file whose name differs only
// in letter case is the same patient's and is replaced under its own name, and two such files
// are refused as a guess between them. A minus sign or en dash in a numeric entry is stored
// as "-", so a record of plain prescriptions stays in Windows-1252, and a decimal comma that
// `format` reads (see WithFullStop) as a full stop, so the file reads the same under any
// locale; a comma that is not such a decimal comma is stored as typed, and refused. Refuses,
// touching nothing: names that cannot make a file name in the folder, an empty name or one
// beginning with a full stop, texts that hold a comma, a line break or another control
// character, a record larger than Load reads, and a file of that name that holds another
// patient (or is not a patient file). A failed write leaves the earlier file as it was.
SaveResult SavePatient(const JobSheet& sheet, const QString& folder, const NumberFormat& format,
                       const QDateTime& now = QDateTime::currentDateTime());
// As above, with only the full stop for a decimal point.
SaveResult SavePatient(const JobSheet& sheet, const QString& folder,
                       const QDateTime& now = QDateTime::currentDateTime());

// The texts Save stores for `sheet`: the names trimmed, a typographic minus in a numeric
// entry written as "-", and its decimal comma as a full stop where `format` reads one;
// every other character as typed.
JobSheet RecordToStore(JobSheet sheet, const NumberFormat& format = {});

struct LoadResult {
  std::optional<JobSheet> sheet;  // the 21 texts from the file, items 0 to 20
  QString path;                   // the patient file read (or that would have been)
  QString message;                // on failure: what went wrong, naming the path
  // No one file has the names (none at all, or several differing in letter case, or no
  // names were given): the optician chooses from the patient list instead.
  bool choose = false;

  bool ok() const { return sheet.has_value(); }
};

// Reads the patient file named by the last and first name of `current` in `folder` (blanks
// around them aside, and in any letter case when no file has them exactly). Either
// all 21 texts come back or none: a file with fewer than 21 items is refused, so two patients
// are never mixed. Items from the 22nd on are ignored; a file that holds extra commas gives
// its texts shifted, as they stand in it. A failure's message ends by telling the optician
// that no field was changed (the caller changes none).
LoadResult LoadPatient(const JobSheet& current, const QString& folder);

// The same for a patient file given by its path (the command line's way); the message only
// says what went wrong with the file.
LoadResult LoadPatientFile(const QString& path);

// The same for a path in the file system's own bytes (a file of the patient list).
LoadResult LoadPatientFileAt(const QByteArray& nativePath);

// The same for a file already read whole; `path` names it in the message.
LoadResult LoadPatientRead(const QString& path, const WholeFileRead& raw);

}  // namespace asworn
