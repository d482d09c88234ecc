// SPDX-License-Identifier: Apache-2.0
#pragma once
// The patients of a folder, for finding one again without remembering the exact spelling:
// every patient file with its names, record number and the time of its last save, newest
// first, and a search that ignores letter case and accents.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

namespace asworn {

struct PatientListEntry {
  QString fileName;       // as the folder shows it (decoded as Windows-1252 when not UTF-8)
  QByteArray nativePath;  // the file system's own bytes of the path, to load it by
  QString lastname;       // from the file; empty when it cannot be read
  QString firstname;
  QString record;
  qint64 savedMs = 0;  // the file's last change, milliseconds since the epoch
  QString problem;     // why it cannot be loaded; empty when it can
  QString searchKey;   // first and last name (file name when unreadable), folded for searching

  bool readable() const { return problem.isEmpty(); }
  // The last change in local time.
  QDateTime saved() const { return QDateTime::fromMSecsSinceEpoch(savedMs); }
};

struct PatientList {
  std::vector<PatientListEntry> patients;  // newest save first
  QString problem;                         // why the folder could not be listed
};

// Every "*.txt" file directly in `folder` (History/ and hidden files aside). A file that
// cannot be loaded is listed with the reason.
PatientList ListPatients(const QString& folder);

// The text as a search compares it: lower case, accents and other marks dropped, letters such
// as "ø", "ł" and "ß" written as "o", "l" and "ss".
QString FoldedForSearch(const QString& text);

// The rows of `patients` whose first or last name holds every word of `search` (case and
// accents aside), in list order; all of them for an empty search.
std::vector<std::size_t> FindPatients(const std::vector<PatientListEntry>& patients,
                                      const QString& search);

}  // namespace asworn
