// SPDX-License-Identifier: Apache-2.0
#pragma once
// A patient's earlier records. Before Save replaces a patient file, the record it held is
// kept, byte for byte, in the folder's History/ subfolder as
// "Lastname-Firstname YYYY-MM-DD HHMMSS.txt" (local time of the replacement; " (2)", " (3)"
// for more replacements in the same second). A file there is never replaced.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

namespace asworn {

inline constexpr char kHistoryFolderName[] = "History";

// Why a patient file name leaves no room for the name of its earlier records (the file
// system's 255 bytes less " YYYY-MM-DD HHMMSS (999)"), or nothing: a patient that could be
// saved once but never replaced must not be saved at all.
std::optional<QString> HistoryRoomProblem(const QString& fileName);

struct KeptRecord {
  bool ok = false;
  QString path;     // the history file written; empty when there was nothing to keep
  QString message;  // why the earlier record could not be kept, naming the paths
};

// Keeps the patient file at `path` in History/ beside it, as replaced at `when`. Nothing is
// kept for an empty file or one that already holds `replacement` (nothing would be lost).
// The copy is whole or absent: it is written beside its place and then given its name
// without replacing any file there.
KeptRecord KeepEarlierRecord(const QString& path, const QByteArray& replacement,
                             const QDateTime& when);

struct EarlierRecord {
  QString path;
  QDateTime replaced;  // when it was replaced (to the second, local time)
  int repeat = 1;      // 2 for " (2)": the second replacement in that second
};

// The earlier records of the patient with these names (trimmed, letter case aside), newest
// first.
std::vector<EarlierRecord> PatientHistory(const QString& folder, std::string_view lastname,
                                          std::string_view firstname);

}  // namespace asworn
