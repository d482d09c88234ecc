// SPDX-License-Identifier: Apache-2.0
#include "patient_records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "parse_number.h"
#include "patient_history.h"
#include "patient_names.h"
#include "qt_text.h"
#include "record_encoding.h"

namespace asworn {
namespace {

QString NotSaved(const QString& path, const QString& why) {
  return QStringLiteral("The patient was not saved to %1: %2.").arg(QuotedPath(path), why);
}

QString ItemCountProblem(const QString& path, std::size_t items) {
  if (items == 0)
    return QStringLiteral("Could not load %1: the file is empty.").arg(QuotedPath(path));
  const FieldInfo& missing = kJobSheetFields[items];
  return QStringLiteral(
             "Could not load %1: the file holds only %2 of the 21 fields and ends before the %3 "
             "field, "
             "so it is not a whole patient record.")
      .arg(QuotedPath(path))
      .arg(items)
      .arg(ToQString(missing.spokenName));
}

// Two patients can name one file ("Smith-Jones" + "Ann", "Smith" + "Jones-Ann"): a file is only
// replaced when it holds the record of the patient being saved, or nothing at all.
std::optional<QString> ReplacementProblem(const QString& path, const std::string& lastname,
                                          const std::string& firstname) {
  if (!QFileInfo::exists(path)) return std::nullopt;
  const RecordReadResult stored = ReadPatientRecord(path);
  if (!stored.ok())
    return QStringLiteral("The patient was not saved. %1 That file is left as it is.")
        .arg(stored.message);
  const std::vector<std::string>& items = *stored.items;
  if (items.empty()) return std::nullopt;
  if (items.size() < 2)
    return QStringLiteral(
               "The patient was not saved: %1 is there already and holds no patient's names, "
               "so it is left as it is.")
        .arg(QuotedPath(path));
  const std::string& storedFirst = items[IndexOf(Field::firstname)];
  const std::string& storedLast = items[IndexOf(Field::lastname)];
  if (SameName(storedFirst, firstname) && SameName(storedLast, lastname)) return std::nullopt;
  return QStringLiteral(
             "The patient was not saved: %1 holds the record of another patient, first name %2 "
             "and last name %3, and saving first name %4 and last name %5 would replace it. "
             "Change one of the names (for example, add a middle initial) and save again; the "
             "other patient's record is unchanged.")
      .arg(QuotedPath(path), QuotedText(storedFirst), QuotedText(storedLast), QuotedText(firstname),
           QuotedText(lastname));
}

// Files of one patient's name that differ only in letter case, as a list for a message.
QString QuotedNames(const QStringList& names) {
  QStringList quoted;
  for (const QString& name : names) quoted << QuotedPath(name);
  return quoted.join(QStringLiteral(" and "));
}

QString TwinsProblem(const QString& folder, const QStringList& names) {
  return QStringLiteral(
             "the patient folder %1 holds %2 files of these names that differ only in letter "
             "case, %3; the lab's Windows computers cannot tell them apart, so it is not clear "
             "which one to replace. Load each of them, keep the right record in one and remove "
             "the other")
      .arg(QuotedPath(folder))
      .arg(names.size())
      .arg(QuotedNames(names));
}

bool IsNumericEntry(Field field) {
  return field != Field::firstname && field != Field::lastname && field != Field::record;
}

}  // namespace

JobSheet RecordToStore(JobSheet sheet, const NumberFormat& format) {
  for (const FieldInfo& info : kJobSheetFields) {
    std::string& text = sheet[info.field];
    if (info.field == Field::firstname || info.field == Field::lastname) {
      text = TrimmedName(text);
    } else if (IsNumericEntry(info.field)) {
      text = WithPlainMinus(text);
      if (std::optional<std::string> fullStop = WithFullStop(text, format))
        text = std::move(*fullStop);
    }
  }
  return sheet;
}

SaveResult SavePatient(const JobSheet& typed, const QString& folder, const QDateTime& now) {
  return SavePatient(typed, folder, NumberFormat{}, now);
}

SaveResult SavePatient(const JobSheet& typed, const QString& folder, const NumberFormat& format,
                       const QDateTime& now) {
  const JobSheet sheet = RecordToStore(typed, format);
  const std::string& lastname = sheet[Field::lastname];
  const std::string& firstname = sheet[Field::firstname];
  SaveResult result;
  result.path = PatientRecordPath(folder, lastname, firstname);

  result.status = SaveStatus::refused;
  if (folder.isEmpty()) {
    result.message = QStringLiteral("The patient was not saved: %1.").arg(NoPatientFolderReason());
    return result;
  }
  std::optional<QString> problem = NameProblem(lastname, firstname);
  if (!problem) problem = SaveNameProblem(lastname, firstname);
  if (!problem) problem = HistoryRoomProblem(PatientRecordFileName(lastname, firstname));
  std::optional<QByteArray> bytes;
  if (!problem) {
    EncodedRecord encoded = EncodeRecord(sheet.Texts());
    if (!encoded.bytes) problem = encoded.problem;
    bytes = std::move(encoded.bytes);
  }
  if (!problem) {
    // The patient's file under its own spelling, when one differs only in letter case.
    const QStringList same = FilesOfName(folder, PatientRecordFileName(lastname, firstname));
    if (same.size() > 1)
      problem = TwinsProblem(folder, same);
    else if (same.size() == 1)
      result.path = QDir(folder).filePath(same.front());
  }
  if (problem) {
    result.message = NotSaved(result.path, *problem);
    return result;
  }
  if (std::optional<QString> replacing = ReplacementProblem(result.path, lastname, firstname)) {
    result.message = *replacing;
    return result;
  }
  result.status = SaveStatus::failed;
  if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
    result.message = NotSaved(
        result.path, QStringLiteral("the folder %1 does not exist and could not be created")
                         .arg(QuotedPath(folder)));
    return result;
  }
  if (QFileInfo::exists(result.path)) {
    const KeptRecord kept = KeepEarlierRecord(result.path, *bytes, now);
    if (!kept.ok) {
      result.message = QStringLiteral(
                           "The patient was not saved: %1. The earlier record is unchanged; "
                           "nothing was replaced.")
                           .arg(kept.message);
      return result;
    }
    result.kept = kept.path;
  }
  const RecordWriteResult written = WritePatientRecord(result.path, sheet.Texts());
  if (!written.ok) {
    // The earlier record is still the patient's file: its copy would record a replacement
    // that never happened.
    if (!result.kept.isEmpty() && QFile::remove(result.kept)) {
      QDir().rmdir(QFileInfo(result.kept).path());
      result.kept.clear();
    }
    result.message = QStringLiteral(
                         "The patient was not saved. %1 Any earlier file of this "
                         "patient is unchanged.")
                         .arg(written.message);
    return result;
  }
  result.status = SaveStatus::saved;
  return result;
}

LoadResult LoadPatient(const JobSheet& current, const QString& folder) {
  const std::string lastname = TrimmedName(current[Field::lastname]);
  const std::string firstname = TrimmedName(current[Field::firstname]);
  const QString path = PatientRecordPath(folder, lastname, firstname);
  LoadResult result{std::nullopt, path, {}};
  if (folder.isEmpty()) {
    result.message = QStringLiteral("Could not load the patient: %1.").arg(NoPatientFolderReason());
  } else if (lastname.empty() && firstname.empty()) {
    result.message = QStringLiteral("Could not load a patient: no name was given.");
    result.choose = true;
  } else if (const std::optional<QString> problem = NameProblem(lastname, firstname)) {
    result.message = QStringLiteral("Could not load %1: %2.").arg(QuotedPath(path), *problem);
  } else if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
    result = LoadPatientFile(path);
  } else {
    const QStringList same = FilesOfName(folder, PatientRecordFileName(lastname, firstname));
    if (same.size() == 1) return LoadPatientFile(QDir(folder).filePath(same.front()));
    result.choose = true;
    result.message =
        same.empty()
            ? QStringLiteral("Could not load %1: there is no such file.").arg(QuotedPath(path))
            : QStringLiteral("Could not load %1: %2.")
                  .arg(QuotedPath(path), TwinsProblem(folder, same));
  }
  if (!result.ok()) result.message += QStringLiteral(" No field was changed.");
  return result;
}

LoadResult LoadPatientFile(const QString& path) {
  const RecordReadResult read = ReadPatientRecord(path);
  if (!read.ok()) return {std::nullopt, path, read.message};
  std::optional<JobSheet> sheet = SheetFromItems(*read.items);
  if (!sheet) return {std::nullopt, path, ItemCountProblem(path, read.items->size())};
  return {std::move(sheet), path, {}};
}

LoadResult LoadPatientFileAt(const QByteArray& nativePath) {
  return LoadPatientRead(DecodeRecordBytes(nativePath),
                         ReadRegularFileAt(nativePath, kMaxRecordFileSize));
}

LoadResult LoadPatientRead(const QString& path, const WholeFileRead& raw) {
  const RecordReadResult read = PatientRecordOf(path, raw);
  if (!read.ok()) return {std::nullopt, path, read.message};
  std::optional<JobSheet> sheet = SheetFromItems(*read.items);
  if (!sheet) return {std::nullopt, path, ItemCountProblem(path, read.items->size())};
  return {std::move(sheet), path, {}};
}

}  // namespace asworn
