// SPDX-License-Identifier: Apache-2.0
#include "study_command.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <vector>

#include "cli.h"
#include "study_run.h"
#include "write_file.h"

namespace asworn::cli {
namespace {

constexpr int kExitInterrupted = 130;

}  // namespace

CLI::App* AddStudyCommand(CLI::App& app, StudyCommand& command) {
  CLI::App* study = app.add_subcommand(
      "study",
      "Check a grid of right-eye jobs as worn (spheres -10 to +8 D by 1, cylinders "
      "0 to -4 D by 0.5, axes 0-165 by 15, tilt 0-20 by 5, wrap 0-25 by 5, indices 1.50, "
      "1.59, 1.67, 1.74, vertex 12/12 and 13/10 mm, base curve by Vogel's rule, 70 mm: 442 320 "
      "jobs) for three orders: the ticket formula's, the exact order and no compensation for "
      "tilt and wrap. Prints a Markdown table of the share outside ANSI Z80.1 tolerance (any "
      "part, and each alone) and the median, 95th percentile and largest power-matrix error. "
      "Uses every core; shows progress on a terminal; Ctrl+C stops it with status 130 and "
      "writes nothing.");
  study->add_option("--convention", command.convention, "frame, head or both (the default).")
      ->check(CLI::IsMember({"frame", "head", "both"}));
  study->add_option("--csv", command.csv, "Also write one row per job and reading to FILE.")
      ->type_name("FILE");
  study->add_option("--every", command.every, "Study every Nth job of the grid only.")
      ->check(CLI::PositiveNumber);
  study->add_option("--threads", command.threads, "Threads to use; every core by default.")
      ->check(CLI::NonNegativeNumber);
  return study;
}

int RunStudy(const StudyCommand& command, std::ostream& out, std::ostream& err) {
  std::vector<optics::WearConvention> conventions;
  if (command.convention != "head") conventions.push_back(optics::WearConvention::frame);
  if (command.convention != "frame") conventions.push_back(optics::WearConvention::head);
  const study::StudyResults results =
      study::RunStudyGrid(conventions, command.every, command.threads);
  if (results.interrupted) {
    err << "asworn-cli: study: interrupted; nothing written\n";
    return kExitInterrupted;
  }

  if (!command.csv.empty()) {
    const QString error = ReplaceFileKeepingPermissions(QString::fromLocal8Bit(command.csv.c_str()),
                                                        study::StudyCsv(results));
    if (!error.isEmpty()) {
      err << "asworn-cli: could not write \"" << command.csv << "\": " << error.toStdString()
          << '\n';
      return kExitCannotWrite;
    }
  }
  out << study::StudyTable(results);
  return kExitOk;
}

}  // namespace asworn::cli
