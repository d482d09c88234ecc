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

QString NotLoaded(const QString& why) {
  return QStringLiteral("%1 No field was changed.").arg(why);
}

QString ItemCountProblem(const QString& path, std::size_t items) {
  if (items == 0) return QStringLiteral("Could not load %1: the file is empty.").arg(Quoted(path));
  const FieldInfo& missing = kJobSheetFields[items];
  return QStringLiteral(
             "Could not load %1: the file holds only %2 of the 21 fields and ends before %3, "
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
  result.ok = true;
  return result;
}

LoadResult LoadPatient(const JobSheet& current, const QString& folder) {
  const std::string& lastname = current[Field::lastname];
  const std::string& firstname = current[Field::firstname];
  const QString path = PatientRecordPath(folder, lastname, firstname);
  if (folder.isEmpty())
    return {std::nullopt, path, NotLoaded(QStringLiteral("No patient folder was given."))};
  if (const std::optional<QString> problem = NameProblem(lastname, firstname))
    return {std::nullopt, path,
            NotLoaded(QStringLiteral("Could not load %1: %2.").arg(Quoted(path), *problem))};
  return LoadPatientFile(path);
}

LoadResult LoadPatientFile(const QString& path) {
  const RecordReadResult read = ReadPatientRecord(path);
  if (!read.ok()) return {std::nullopt, path, NotLoaded(read.message)};
  std::optional<JobSheet> sheet = SheetFromItems(*read.items);
  if (!sheet) return {std::nullopt, path, NotLoaded(ItemCountProblem(path, read.items->size()))};
  return {std::move(sheet), path, {}};
}

}  // namespace asworn
