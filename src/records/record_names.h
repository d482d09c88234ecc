#pragma once
// Where a patient's file lives and what it is called: last name + "-" + first name + ".txt"
// in the patient folder, and the names that cannot make such a file name.

#include <QString>
#include <optional>
#include <string_view>

namespace asworn {

// The folder name inside the user's documents folder that holds the patient files.
inline constexpr char kPatientFolderName[] = "As-Worn Rx Patients";

// The patient folder of this user: "As-Worn Rx Patients" in the documents folder. It may not
// exist yet; saving creates it.
QString DefaultPatientFolder();

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

// A path fit for a message: native separators, control characters shown as \xNN.
QString DisplayPath(const QString& path);

}  // namespace asworn
