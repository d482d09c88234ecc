// SPDX-License-Identifier: Apache-2.0
#pragma once
// Names as people type them: blanks around a name are no part of it, and two names that
// differ only in letter case are the same patient, as the lab's Windows computers see the
// folder (they cannot tell "Lindqvist-Maria.txt" from "lindqvist-maria.txt").

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

#include "job_sheet.h"

namespace asworn {

// The name without the blanks around it. A text that is not UTF-8 is left as it is (the name
// checks refuse it).
std::string TrimmedName(std::string_view name);

// Whether two names are one patient's: equal but for letter case and blanks around them.
// Accents count: "Muller" and "Müller" are two patients.
bool SameName(std::string_view a, std::string_view b);

// The names of the files in `folder` called `fileName` but for letter case, the exact one
// first. Only files directly in the folder count, never those in History/.
QStringList FilesOfName(const QString& folder, const QString& fileName);

}  // namespace asworn
