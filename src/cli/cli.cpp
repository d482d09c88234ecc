// SPDX-License-Identifier: Apache-2.0
#include "cli.h"
#include "native_path.h"

#include <CLI/CLI.hpp>
#include <QFile>
#include <ostream>
#include <stdexcept>

#include "as_worn_help.h"
#include "compensation_engine.h"
#include "dcs_command.h"
#include "field_overrides.h"
#include "order_options.h"
#include "patient_records.h"
#include "patients_command.h"
#include "study_command.h"
#include "ticket_output.h"
#include "version.h"

namespace asworn::cli {
namespace {

struct TicketCommand {
  TicketOutputOptions output;
  std::vector<std::string> assignments;
  std::vector<std::string> files;
};

struct SaveCommand {
  std::string folder;
  std::vector<std::string> assignments;
};

// The default job sheet with the --set fields; nothing and a message on stderr when one is
// malformed.
std::optional<JobSheet> SheetWithOverrides(JobSheet sheet,
                                           const std::vector<std::string>& assignments,
                                           std::ostream& err) {
  try {
    ApplyOverrides(sheet, assignments);
  } catch (const std::invalid_argument& e) {
    err << "asworn-cli: " << e.what() << '\n';
    return std::nullopt;
  }
  return sheet;
}

// Paths come in and go out as the file system's bytes.
QString PathOf(const std::string& argument) {
  return PathFromNative(argument);
}
std::string PathText(const QString& path) {
  return NativePathText(path);
}

// The lens the settings order, checked as worn, from one Compute of `sheet`; a message on
// stderr when the exact order cannot be made. The ticket's numbers carry the user's separator
// for people and a full stop in JSON, for programs.
std::optional<ordering::OrderedTicket> Ordered(const JobSheet& sheet,
                                               const ComputedTicket& computed,
                                               const TicketOutputOptions& options,
                                               std::ostream& err, const std::string& source) {
  ordering::OrderedTicket ordered =
      ordering::OrderTicket(computed, options.order, options.decimalSeparator);
  if (ordered.ok() && options.json && options.decimalSeparator != ".")
    ordering::WriteTicket(ordered.ticket, sheet, computed, ordered.check, ".");
  if (ordered.ok()) return ordered;
  err << "asworn-cli: " << (source.empty() ? "" : EscapedText(source) + ": ")
      << EscapedText(ordered.fault) << '\n';
  return std::nullopt;
}

int RunTicket(const TicketCommand& command, std::ostream& out, std::ostream& err,
              const NumberFormat& format) {
  // The ticket formula's ticket keeps its own texts: a step is the exact order's.
  if (command.output.order.order == optics::OrderChoice::ticketFormula &&
      command.output.order.step != optics::PowerStep::hundredth) {
    err << "asworn-cli: ticket: --steps rounds the exact order; give --order exact\n"
           "Run 'asworn-cli ticket --help' for the options.\n";
    return kExitUsage;
  }
  // A malformed --set is a usage error before any file is read.
  if (!SheetWithOverrides(JobSheet{}, command.assignments, err)) return kExitUsage;

  if (command.files.empty()) {
    const JobSheet sheet = *SheetWithOverrides(JobSheet{}, command.assignments, err);
    const ComputeOutcome outcome = Compute(sheet, format);
    if (!outcome.Succeeded()) {
      err << "asworn-cli: " << FaultLine(outcome.error()) << '\n';
      return kExitComputeFault;
    }
    TicketOutputOptions options = command.output;
    options.decimalSeparator = format.decimalSeparator;
    const auto ordered = Ordered(sheet, *outcome, options, err, "");
    if (!ordered) return kExitComputeFault;
    WriteTicket(out, *outcome, *ordered, options);
    return kExitOk;
  }

  // Every file is done; the exit status tells the worst that happened.
  bool unreadable = false;
  bool faulted = false;
  for (const std::string& file : command.files) {
    const LoadResult loaded = LoadPatientFile(PathOf(file));
    if (!loaded.ok()) {
      err << "asworn-cli: " << loaded.message.toStdString() << '\n';
      unreadable = true;
      continue;
    }
    const JobSheet sheet = *SheetWithOverrides(*loaded.sheet, command.assignments, err);
    const ComputeOutcome outcome = Compute(sheet, format);
    if (!outcome.Succeeded()) {
      err << "asworn-cli: " << EscapedText(file) << ": " << FaultLine(outcome.error()) << '\n';
      faulted = true;
      continue;
    }
    TicketOutputOptions options = command.output;
    options.source = file;
    options.decimalSeparator = format.decimalSeparator;
    const auto ordered = Ordered(sheet, *outcome, options, err, file);
    if (!ordered) {
      faulted = true;
      continue;
    }
    WriteTicket(out, *outcome, *ordered, options);
  }
  return unreadable ? kExitNoInput : faulted ? kExitComputeFault : kExitOk;
}

int RunSave(const SaveCommand& command, std::ostream& out, std::ostream& err,
            const NumberFormat& format) {
  const std::optional<JobSheet> sheet = SheetWithOverrides(JobSheet{}, command.assignments, err);
  if (!sheet) return kExitUsage;
  const SaveResult saved = SavePatient(*sheet, PathOf(command.folder), format);
  switch (saved.status) {
    case SaveStatus::saved:
      out << PathText(saved.path) << '\n';
      return kExitOk;
    case SaveStatus::refused:
      err << "asworn-cli: " << saved.message.toStdString() << '\n';
      return kExitSaveRefused;
    case SaveStatus::failed:
      break;
  }
  err << "asworn-cli: " << saved.message.toStdString() << '\n';
  return kExitCannotWrite;
}

// The first argument names a command unless it is an option.
std::optional<std::string> UnknownCommand(const CLI::App& app,
                                          const std::vector<std::string>& args) {
  if (args.empty() || args.front().starts_with('-')) return std::nullopt;
  for (const CLI::App* command : app.get_subcommands({}))
    if (command->get_name() == args.front()) return std::nullopt;
  return args.front();
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const NumberFormat& format) {
  CLI::App app{
      "As-Worn Rx on the command line: the compensated prescription and wrap prism of a "
      "job sheet, computed as the window's Compute button does, and patient files written "
      "as its Save button does.",
      "asworn-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version",
                       std::string("asworn-cli ") + kVersion + "\nLicense: " + kLicense);

  TicketCommand ticket;
  CLI::App* ticketCommand = app.add_subcommand(
      "ticket",
      "Compute the work ticket of each PATIENT_FILE, or of the default job sheet when no file "
      "is given, with the --set fields replaced. Prints the 23 ticket labels in ticket order, "
      "one 'label<TAB>text' line each, after a 'file<TAB>path' line for a patient file. A "
      "file that cannot be loaded or computed is reported on stderr and the other files are "
      "still done. Exit status: 0 when every ticket was printed, 2 when Compute stopped on a "
      "fault (the reason on stderr), 66 when a patient file could not be loaded (missing, "
      "unreadable, not a regular file, over 64 KiB, fewer than 21 fields; wins over 2), 64 on "
      "a usage error.");
  ticketCommand->add_flag("--json", ticket.output.json,
                          "Print one JSON object of the 23 labels by name instead of lines; "
                          "one object per line, each with a \"file\" key holding the path of "
                          "its patient file.");
  ticketCommand->add_flag("--detail", ticket.output.detail,
                          "Add the intermediate values (angles, factors, vertex results, "
                          "power matrix, unrounded results, thickness, prism) to check by "
                          "hand.");
  ticketCommand->add_flag("--as-worn", ticket.output.asWorn, kAsWornHelp);
  AddOrderOptions(*ticketCommand, ticket.output.order);
  ticketCommand
      ->add_option("--set", ticket.assignments,
                   std::string("Replace a field of the job sheet (the default one, or each "
                               "patient file's), e.g. --set odsph=-4.00 --set tilt=10. May be "
                               "given many times. ") +
                       "Fields: " + FieldNames() + ".")
      ->type_name("FIELD=TEXT")
      ->allow_extra_args(false);
  ticketCommand
      ->add_option("PATIENT_FILE", ticket.files,
                   "Patient files (one line of 21 comma-separated texts, as Save writes "
                   "them) to compute, each on its own.")
      ->type_name("PATIENT_FILE");

  SaveCommand save;
  CLI::App* saveCommand = app.add_subcommand(
      "save",
      "Write a patient file from the default job sheet with the --set fields replaced, by "
      "the rules of the window's Save: the file is lastname-firstname.txt in the folder "
      "(made when missing), replaced whole when it holds the same patient (its earlier record "
      "first kept in the folder's History/; nothing is replaced when that cannot be done), and "
      "the path written is printed. Blanks around the names are dropped; a file whose name "
      "differs only in letter case is the same patient's and keeps its name; a minus sign or en "
      "dash in a numeric entry is written as '-', and a decimal comma that the user's locale "
      "reads (as Compute does) as '.'. Refused, with nothing written: a name that is "
      "empty, begins with "
      "'.', holds '/' or '\\', or makes a file name over 255 bytes; a text holding a comma, a "
      "line break or another control character; a record over 64 KiB; and a file of that name "
      "that holds another patient (first and last name differ, letter case aside), or two "
      "files of the name that differ only in letter case. Exit status: 0 when written, 65 "
      "when refused, 73 when the folder or the file "
      "could not be written (any earlier file is left as it was), 64 on a usage error.");
  saveCommand
      ->add_option("--folder", save.folder,
                   "The patient folder to write into (the window uses \"As-Worn Rx "
                   "Patients\" in the documents folder).")
      ->type_name("DIR")
      ->required();
  saveCommand
      ->add_option("--set", save.assignments,
                   std::string("Replace a field of the default job sheet, e.g. --set "
                               "lastname=Doe --set firstname=Jane. May be given many times. ") +
                       "Fields: " + FieldNames() + ".")
      ->type_name("FIELD=TEXT")
      ->allow_extra_args(false);

  DcsCommand dcs;
  CLI::App* dcsCommand = AddDcsCommand(app, dcs);
  PatientsCommand patients;
  CLI::App* patientsCommand = AddPatientsCommand(app, patients);
  HistoryCommand history;
  CLI::App* historyCommand = AddHistoryCommand(app, history);
  StudyCommand study;
  CLI::App* studyCommand = AddStudyCommand(app, study);

  if (const std::optional<std::string> name = UnknownCommand(app, args)) {
    err << "asworn-cli: unknown command: " << EscapedText(*name)
        << "\nRun 'asworn-cli --help' for the commands.\n";
    return kExitUsage;
  }
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, out, err);  // --help, --version
    err << "asworn-cli: " << e.what() << "\nRun 'asworn-cli --help' for the options.\n";
    return kExitUsage;
  }
  if (ticketCommand->parsed()) return RunTicket(ticket, out, err, format);
  if (saveCommand->parsed()) return RunSave(save, out, err, format);
  if (dcsCommand->parsed()) return RunDcs(dcs, out, err);
  if (patientsCommand->parsed()) return RunPatients(patients, out, err);
  if (historyCommand->parsed()) return RunHistory(history, out);
  if (studyCommand->parsed()) return RunStudy(study, out, err);
  return kExitUsage;
}

}  // namespace asworn::cli
