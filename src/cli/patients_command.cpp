// SPDX-License-Identifier: Apache-2.0
#include "patients_command.h"

#include <CLI/CLI.hpp>
#include <QFile>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli.h"
#include "native_path.h"
#include "patient_history.h"
#include "patient_list.h"
#include "ticket_output.h"

namespace asworn::cli {
namespace {

constexpr char kTimeFormat[] = "yyyy-MM-dd HH:mm:ss";

QString PathOf(const std::string& argument) {
  return PathFromNative(argument);
}

std::string Text(const QString& text) {
  return EscapedText(text.toStdString());
}

std::string SavedText(const PatientListEntry& patient) {
  return patient.saved().toString(QLatin1String(kTimeFormat)).toStdString();
}

void WriteLines(std::ostream& out, const PatientList& list, const std::vector<std::size_t>& rows) {
  for (const std::size_t row : rows) {
    const PatientListEntry& p = list.patients[row];
    out << Text(p.lastname) << '\t' << Text(p.firstname) << '\t' << Text(p.record) << '\t'
        << SavedText(p) << '\t' << EscapedText(p.nativePath.toStdString());
    if (!p.readable()) out << "\tunreadable: " << Text(p.problem);
    out << '\n';
  }
}

void WriteJson(std::ostream& out, const PatientList& list, const std::vector<std::size_t>& rows) {
  nlohmann::ordered_json patients = nlohmann::ordered_json::array();
  for (const std::size_t row : rows) {
    const PatientListEntry& p = list.patients[row];
    nlohmann::ordered_json entry{{"lastname", p.lastname.toStdString()},
                                 {"firstname", p.firstname.toStdString()},
                                 {"record", p.record.toStdString()},
                                 {"saved", SavedText(p)},
                                 {"file", p.nativePath.toStdString()}};
    if (!p.readable()) entry["problem"] = p.problem.toStdString();
    patients.push_back(std::move(entry));
  }
  // A file name from another system may not be UTF-8; JSON shows it with replacement marks.
  out << patients.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

CLI::App* AddPatientsCommand(CLI::App& app, PatientsCommand& command) {
  CLI::App* patients = app.add_subcommand(
      "patients",
      "List the patients of a folder, newest save first, as the window's patient list shows "
      "them: one 'lastname<TAB>firstname<TAB>record<TAB>saved<TAB>file' line each, the time of "
      "the last save as YYYY-MM-DD HH:MM:SS (local time). A file that cannot be loaded gets "
      "empty names and a sixth column 'unreadable: <why>'. History/ is not listed. Exit "
      "status: 0 when listed (also when none matches), 66 when the folder cannot be read, 64 "
      "on a usage error.");
  patients->add_option("--folder", command.folder, "The patient folder.")
      ->type_name("DIR")
      ->required();
  patients
      ->add_option("--search", command.search,
                   "Only patients whose first or last name holds every word of TEXT, letter "
                   "case and accents aside (\"muller\" finds \"Müller\").")
      ->type_name("TEXT");
  patients->add_flag("--json", command.json,
                     "Print one JSON array of objects with the keys lastname, firstname, record, "
                     "saved, file, and problem for a file that cannot be loaded.");
  return patients;
}

int RunPatients(const PatientsCommand& command, std::ostream& out, std::ostream& err) {
  const PatientList list = ListPatients(PathOf(command.folder));
  if (!list.problem.isEmpty()) {
    err << "asworn-cli: " << list.problem.toStdString() << '\n';
    return kExitNoInput;
  }
  const std::vector<std::size_t> rows =
      FindPatients(list.patients, QString::fromStdString(command.search));
  if (command.json)
    WriteJson(out, list, rows);
  else
    WriteLines(out, list, rows);
  return kExitOk;
}

CLI::App* AddHistoryCommand(CLI::App& app, HistoryCommand& command) {
  CLI::App* history = app.add_subcommand(
      "history",
      "List a patient's earlier records, kept in the folder's History/ each time Save replaced "
      "the patient's file: one 'replaced<TAB>file' line each, newest first, the time as "
      "YYYY-MM-DD HH:MM:SS (local time). The names are matched without blanks around them and "
      "in any letter case. 'asworn-cli ticket FILE' computes the ticket of any of them. Exit "
      "status: 0 (nothing printed when there are none), 64 on a usage error.");
  history->add_option("--folder", command.folder, "The patient folder.")
      ->type_name("DIR")
      ->required();
  history->add_option("LAST", command.lastname, "The patient's last name.")->required();
  history->add_option("FIRST", command.firstname, "The patient's first name.")->required();
  return history;
}

int RunHistory(const HistoryCommand& command, std::ostream& out) {
  for (const EarlierRecord& record :
       PatientHistory(PathOf(command.folder), command.lastname, command.firstname))
    out << record.replaced.toString(QLatin1String(kTimeFormat)).toStdString() << '\t'
        << EscapedText(NativePathText(record.path)) << '\n';
  return kExitOk;
}

}  // namespace asworn::cli
