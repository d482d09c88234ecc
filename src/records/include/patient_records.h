#pragma once
// Saving the job sheet as a patient file and loading one back: everything the Save and Load
// buttons do apart from their message boxes. Nothing here asks the user anything or shows
// anything; each result carries the message to show when it failed.

#include <QString>
#include <optional>

#include "job_sheet.h"
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

  bool ok() const { return status == SaveStatus::saved; }
};

// Writes the 21 texts of `sheet` to lastname-firstname.txt in `folder`, creating the folder
// when it is missing and replacing an earlier file of the same patient whole. Refuses,
// touching nothing: names that cannot make a file name in the folder, an empty name or one
// beginning with a full stop, texts that hold a comma, a line break or another control
// character, a record larger than Load reads, and a file of that name that holds another
// patient (or is not a patient file). A failed write leaves the earlier file as it was.
SaveResult SavePatient(const JobSheet& sheet, const QString& folder);

struct LoadResult {
  std::optional<JobSheet> sheet;  // the 21 texts from the file, items 0 to 20
  QString path;                   // the patient file read (or that would have been)
  QString message;                // on failure: what went wrong, naming the path

  bool ok() const { return sheet.has_value(); }
};

// Reads the patient file named by the last and first name of `current` in `folder`. Either
// all 21 texts come back or none: a file with fewer than 21 items is refused, so two patients
// are never mixed. Items from the 22nd on are ignored; a file that holds extra commas gives
// its texts shifted, as they stand in it. A failure's message ends by telling the optician
// that no field was changed (the caller changes none).
LoadResult LoadPatient(const JobSheet& current, const QString& folder);

// The same for a patient file given by its path (the command line's way); the message only
// says what went wrong with the file.
LoadResult LoadPatientFile(const QString& path);

}  // namespace asworn
