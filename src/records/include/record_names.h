// SPDX-License-Identifier: Apache-2.0
#pragma once
// Where a patient's file lives and what it is called: last name + "-" + first name + ".txt"
// in the patient folder, and the names that cannot make such a file name.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

#include "native_path.h"  // DisplayPath, QuotedPath: how messages name a patient file

namespace asworn {

// The folder name inside the user's documents folder that holds the patient files.
inline constexpr char kPatientFolderName[] = "As-Worn Rx Patients";

// The patient folder of this user: "As-Worn Rx Patients" in the documents folder. It may not
// exist yet; saving creates it. Empty when no home folder is known (see HomeFolder).
QString DefaultPatientFolder();

// The user's home folder: HOME when it is an absolute path, else the one the password database
// gives when that is absolute, else empty. (Without this, an unset HOME would put the patient
// folder at the root of the file system.)
QString HomeFolder(const QByteArray& homeVariable, const QByteArray& passwordDatabaseHome);

// What Save and Load say when there is no patient folder.
QString NoPatientFolderReason();

// "lastname-firstname.txt", the two names used exactly as typed (UTF-8).
QString PatientRecordFileName(std::string_view lastname, std::string_view firstname);

// The file of a patient in `folder`. The names are not checked here: ask NameProblem first.
QString PatientRecordPath(const QString& folder, std::string_view lastname,
                          std::string_view firstname);

// Why the two names cannot name a file inside the folder, as a sentence fragment for the
// optician ("the last name "a/b" holds "/", ..."), or nothing when they can. Refused: a
// separator ("/" or "\"), a control character, a name that is "." or "..", text that is not
// valid UTF-8, and a file name longer than the file system takes (255 bytes).
std::optional<QString> NameProblem(std::string_view lastname, std::string_view firstname);

// Why Save refuses the two names although they could name a file: an empty name (every
// nameless patient would share "-.txt") or one beginning with a full stop (a hidden file).
std::optional<QString> SaveNameProblem(std::string_view lastname, std::string_view firstname);

// A field's text fit for a message: in quotes, control characters shown as \xNN, and cut to
// about 40 characters with "…" so that a box stays readable.
QString QuotedText(std::string_view text);

}  // namespace asworn
