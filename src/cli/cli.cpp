#include "cli.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <stdexcept>

#include "compensation_engine.h"
#include "field_overrides.h"
#include "ticket_output.h"

namespace asworn::cli {
namespace {

struct TicketCommand {
  TicketOutputOptions output;
  std::vector<std::string> assignments;
};

int RunTicket(const TicketCommand& command, std::ostream& out, std::ostream& err,
              const NumberFormat& format) {
  JobSheet sheet;
  try {
    ApplyOverrides(sheet, command.assignments);
  } catch (const std::invalid_argument& e) {
    err << "asworn-cli: " << e.what() << '\n';
    return kExitUsage;
  }
  const ComputeOutcome outcome = Compute(sheet, format);
  if (!outcome.Succeeded()) {
    err << "asworn-cli: " << outcome.fault->message << '\n';
    return kExitComputeFault;
  }
  WriteTicket(out, outcome, command.output);
  return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const NumberFormat& format) {
  CLI::App app{
      "As-Worn Rx on the command line: the compensated prescription and wrap prism of a "
      "job sheet, computed as the window's Compute button does.",
      "asworn-cli"};
  app.require_subcommand(1);

  TicketCommand ticket;
  CLI::App* ticketCommand = app.add_subcommand(
      "ticket",
      "Compute the work ticket of the default job sheet with the given fields replaced. "
      "Prints the 23 ticket labels in ticket order, one 'label<TAB>text' line each. "
      "Exit status 0 with the ticket, 2 when Compute stops on a fault (the reason on "
      "stderr), 64 on a usage error.");
  ticketCommand->add_flag("--json", ticket.output.json,
                          "Print one JSON object of the 23 labels by name instead of lines.");
  ticketCommand->add_flag("--detail", ticket.output.detail,
                          "Add the intermediate values (angles, factors, vertex results, "
                          "power matrix, unrounded results, thickness, prism) to check by "
                          "hand.");
  ticketCommand
      ->add_option("--set", ticket.assignments,
                   "Replace a field of the default job sheet, e.g. --set odsph=-4.00 "
                   "--set tilt=10. May be given many times. Fields: firstname, lastname, "
                   "record, odsph, odcyl, odaxis, ossph, oscyl, osaxis, odbc, odn, oddiam, "
                   "osbc, osn, osdiam, odrvd, odfvd, osrvd, osfvd, tilt, wrap.")
      ->type_name("FIELD=TEXT")
      ->allow_extra_args(false);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, out, err);  // --help
    err << "asworn-cli: " << e.what() << "\nRun 'asworn-cli --help' for the options.\n";
    return kExitUsage;
  }
  if (ticketCommand->parsed()) return RunTicket(ticket, out, err, format);
  return kExitUsage;
}

}  // namespace asworn::cli
