#include "patient_records.h"

#include <QDir>
#include <QFileInfo>

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
  if (storedFirst == firstname && storedLast == lastname) return std::nullopt;
  return QStringLiteral(
             "The patient was not saved: %1 holds the record of another patient, first name %2 "
             "and last name %3, and saving first name %4 and last name %5 would replace it. "
             "Change one of the names (for example, add a middle initial) and save again; the "
             "other patient's record is unchanged.")
      .arg(QuotedPath(path), QuotedText(storedFirst), QuotedText(storedLast), QuotedText(firstname),
           QuotedText(lastname));
}

}  // namespace

SaveResult SavePatient(const JobSheet& sheet, const QString& folder) {
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
  if (!problem) {
    const EncodedRecord encoded = EncodeRecord(sheet.Texts());
    if (!encoded.bytes) problem = encoded.problem;
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
  const RecordWriteResult written = WritePatientRecord(result.path, sheet.Texts());
  if (!written.ok) {
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
  const std::string& lastname = current[Field::lastname];
  const std::string& firstname = current[Field::firstname];
  const QString path = PatientRecordPath(folder, lastname, firstname);
  LoadResult result{std::nullopt, path, {}};
  if (folder.isEmpty())
    result.message = QStringLiteral("Could not load the patient: %1.").arg(NoPatientFolderReason());
  else if (const std::optional<QString> problem = NameProblem(lastname, firstname))
    result.message = QStringLiteral("Could not load %1: %2.").arg(QuotedPath(path), *problem);
  else
    result = LoadPatientFile(path);
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

}  // namespace asworn
