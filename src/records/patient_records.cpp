#include "patient_records.h"

#include <QDir>
#include <QFileInfo>

namespace asworn {
namespace {

QString Quoted(const QString& path) {
  return QStringLiteral("\"%1\"").arg(DisplayPath(path));
}

QString NotSaved(const QString& path, const QString& why) {
  return QStringLiteral("The patient was not saved to %1: %2.").arg(Quoted(path), why);
}

QString ItemCountProblem(const QString& path, std::size_t items) {
  if (items == 0) return QStringLiteral("Could not load %1: the file is empty.").arg(Quoted(path));
  const FieldInfo& missing = kJobSheetFields[items];
  return QStringLiteral(
             "Could not load %1: the file holds only %2 of the 21 fields and ends before the %3 "
             "field, "
             "so it is not a whole patient record.")
      .arg(Quoted(path))
      .arg(items)
      .arg(QString::fromUtf8(missing.spokenName.data(),
                             static_cast<qsizetype>(missing.spokenName.size())));
}

}  // namespace

SaveResult SavePatient(const JobSheet& sheet, const QString& folder) {
  const std::string& lastname = sheet[Field::lastname];
  const std::string& firstname = sheet[Field::firstname];
  SaveResult result;
  result.path = PatientRecordPath(folder, lastname, firstname);

  result.status = SaveStatus::refused;
  if (folder.isEmpty()) {
    result.message = QStringLiteral("The patient was not saved: no patient folder was given.");
    return result;
  }
  if (const std::optional<QString> problem = NameProblem(lastname, firstname)) {
    result.message = NotSaved(result.path, *problem);
    return result;
  }
  if (const std::optional<QString> problem = RecordProblem(sheet.Texts())) {
    result.message = NotSaved(result.path, *problem);
    return result;
  }
  result.status = SaveStatus::failed;
  if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
    result.message = NotSaved(
        result.path, QStringLiteral("the folder %1 does not exist and could not be created")
                         .arg(Quoted(folder)));
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
    result.message = QStringLiteral("No patient folder was given.");
  else if (const std::optional<QString> problem = NameProblem(lastname, firstname))
    result.message = QStringLiteral("Could not load %1: %2.").arg(Quoted(path), *problem);
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
