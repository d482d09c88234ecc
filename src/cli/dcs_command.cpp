// SPDX-License-Identifier: Apache-2.0
#include "dcs_command.h"

#include <CLI/CLI.hpp>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <ostream>

#include "cli.h"
#include "dcs_answer.h"
#include "drop_job.h"
#include "folder_lock.h"
#include "folder_run.h"
#include "lab_defaults.h"
#include "native_path.h"
#include "plausible_ranges.h"
#include "read_file.h"
#include "watch_service.h"
#include "write_file.h"

namespace asworn::cli {
namespace {

QString PathOf(const std::string& argument) {
  return PathFromNative(argument);
}
std::string PathText(const QString& path) {
  return NativePathText(path);
}

// 104233.lds -> 104233.lms, beside it.
QString AnswerPath(const QString& jobPath) {
  const QFileInfo info(jobPath);
  const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
  return info.dir().filePath(base + QStringLiteral(".lms"));
}

struct Outcome {
  bool unreadable = false;
  bool unwritten = false;
  bool refused = false;

  int Status() const {
    return unreadable  ? kExitNoInput
           : unwritten ? kExitCannotWrite
           : refused   ? kExitComputeFault
                       : kExitOk;
  }
};

class Answerer {
 public:
  Answerer(exchange::AnswerOptions options, std::ostream& out, std::ostream& err)
      : options_(std::move(options)), out_(out), err_(err) {}

  // Answers one job; false when the answer could not be made or written.
  bool Answer(const QString& jobPath, bool toStdout) {
    const labdrop::JobFileAnswer job = labdrop::AnswerJobFile(jobPath, options_);
    if (!job.answer) {
      err_ << "asworn-cli: could not read \"" << PathText(jobPath)
           << "\": " << job.read.error.toStdString() << '\n';
      outcome_.unreadable = true;
      return false;
    }
    const exchange::DcsAnswer& answer = *job.answer;
    const std::string bytes = exchange::WriteDcs(answer.records);
    if (answer.refused) {
      err_ << "asworn-cli: " << PathText(jobPath) << ": refused, see its XSTATUS records\n";
      outcome_.refused = true;
    }
    if (toStdout) {
      out_ << bytes;
      return true;
    }
    const QString answerPath = AnswerPath(jobPath);
    if (QFileInfo(answerPath).canonicalFilePath() == QFileInfo(jobPath).canonicalFilePath()) {
      err_ << "asworn-cli: " << PathText(jobPath) << " is itself an answer file; not replaced\n";
      outcome_.unwritten = true;
      return false;
    }
    const QString error =
        ReplaceFileKeepingPermissions(answerPath, QByteArray::fromStdString(bytes));
    if (!error.isEmpty()) {
      err_ << "asworn-cli: could not write \"" << PathText(answerPath)
           << "\": " << error.toStdString() << '\n';
      outcome_.unwritten = true;
      return false;
    }
    out_ << PathText(answerPath) << '\n';
    return true;
  }

  const Outcome& Result() const { return outcome_; }

 private:
  exchange::AnswerOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  Outcome outcome_;
};

}  // namespace

CLI::App* AddDcsCommand(CLI::App& app, DcsCommand& command) {
  CLI::App* dcs = app.add_subcommand(
      "dcs",
      "Answer each JOB_FILE, a DCS job file (LABEL=right;left records) from a lab management "
      "system, with the compensated lens: the answer holds every record of the job unchanged "
      "and in order, REQ=LMS, LDDRSPH/LDDRCYL/LDDRAX and INSSPH/INSCYL/INSAX, the prism in "
      "LDPRVM/LDPRVA and INSPRPRVM/INSPRPRVA, then STATUS=0; a job that cannot be computed "
      "without guessing is answered STATUS=3 with one XSTATUS per problem. A lens, or a pair, "
      "outside the ANSI Z80.1 tolerances as worn is answered STATUS=0 followed by one "
      "XSTATUS=<R|L|B>;<code>;<what and by how much>;W each. A job with an ADD "
      "is compensated for distance only and says so in _AWNEAR=NOT COMPENSATED. The answer "
      "goes beside the job file with the extension .lms, written whole or not at all, and its "
      "path is printed. Exit status: 0 when every job was answered (or another run holds the "
      "folder, or --watch ended on SIGTERM or SIGINT), 2 when any was refused, 66 when a job "
      "file or the folder could not be read (wins over 73), 73 when an answer could not be "
      "written or a job not moved (wins over 2), 64 on a usage error.");
  dcs->add_option("JOB_FILE", command.files, "DCS job files, e.g. 104233.lds.")
      ->type_name("JOB_FILE");
  dcs->add_option("--folder", command.folder,
                  "Answer every *.lds in DIR (for a lab's file drop) and move it to DIR/done/, "
                  "or to DIR/errors/ when refused or not a readable job file (answered STATUS=3 "
                  "all the same). A job already answered is only moved, unless it is newer "
                  "than its answer (sent again); a name taken in done/ becomes NAME.1.lds. One "
                  "run at a time: while another holds DIR, says so and exits 0.")
      ->type_name("DIR");
  dcs->add_option("--watch", command.watch,
                  "As --folder, then answer each job as it arrives until SIGTERM or SIGINT, "
                  "which end it after the job in hand with exit status 0.")
      ->type_name("DIR");
  dcs->add_flag("--wait", command.wait,
                "With --folder or --watch: wait for another run on DIR to end instead of "
                "leaving it to that run.");
  dcs->add_option("--defaults", command.defaults,
                  "The lab's house values for jobs without PANTO, ZTILT, BVD or _REFBVD: a file "
                  "of DCS records of those labels only, e.g. PANTO=8 and BVD=13;13. An answer "
                  "using one names it in _AWDEFAULT.")
      ->type_name("FILE");
  dcs->add_flag("--stdout", command.toStdout, "Print the answers instead of writing them.");
  dcs->add_option("--refracted-vertex", command.refractedVertex,
                  "The refracted vertex distance for jobs without _REFBVD, 5 to 40 mm; without "
                  "it such a job keeps its fitted distance (no vertex change).")
      ->type_name("MM");
  dcs->add_option("--order", command.order,
                  "exact (default): the lens to make is the exact as-worn order, within "
                  "tolerance as worn but for the lab's rounding; ticket: the work ticket's "
                  "compensated order, as the window's default Order gives it. Separate from "
                  "the window's Order setting.")
      ->check(CLI::IsMember({"ticket", "exact"}));
  dcs->add_option("--steps", command.steps,
                  "The lab's power step, 0.01 (default), 0.125 or 0.25 D: the lens to make has "
                  "its sphere and cylinder rounded to it (a cylinder that rounds to 0 has axis "
                  "180) and is checked as worn as rounded.")
      ->check(CLI::IsMember({"0.01", "0.125", "0.25"}));
  dcs->add_option("--convention", command.convention,
                  "frame (default) or head: how the as-worn check and the exact order read "
                  "the job's tilt and wrap.")
      ->check(CLI::IsMember({"frame", "head"}));
  return dcs;
}

namespace {

int AnswerDropFolder(const DcsCommand& command, const exchange::AnswerOptions& options,
                     std::ostream& out, std::ostream& err) {
  const bool watch = !command.watch.empty();
  const QString folder = PathOf(watch ? command.watch : command.folder);
  if (!QFileInfo(folder).isDir()) {
    err << "asworn-cli: \"" << PathText(folder) << "\" is not a folder\n";
    return kExitNoInput;
  }
  const labdrop::FolderLock lock(folder, command.wait);
  if (lock.state() == labdrop::FolderLock::State::busy) {
    out << "asworn-cli: another run is answering \"" << PathText(folder) << "\"\n";
    return kExitOk;
  }
  if (lock.state() == labdrop::FolderLock::State::failed) {
    err << "asworn-cli: could not lock \"" << PathText(folder)
        << "\": " << lock.error().toStdString() << '\n';
    return kExitCannotWrite;
  }
  labdrop::FolderRun run(folder, options, out, err);
  if (watch) return labdrop::WatchFolder(run, folder, err) ? kExitOk : kExitNoInput;
  run.Pass();
  const labdrop::FolderOutcome& outcome = run.Outcome();
  return outcome.unreadable ? kExitNoInput
         : outcome.unmoved  ? kExitCannotWrite
         : outcome.refused  ? kExitComputeFault
                            : kExitOk;
}

}  // namespace

int RunDcs(const DcsCommand& command, std::ostream& out, std::ostream& err) {
  const auto usage = [&](const char* message) {
    err << "asworn-cli: dcs: " << message << "\nRun 'asworn-cli dcs --help' for the options.\n";
    return kExitUsage;
  };
  const int sources = !command.files.empty() + !command.folder.empty() + !command.watch.empty();
  if (sources != 1) return usage("give job files, --folder DIR or --watch DIR, one of them");
  if (command.files.empty() && command.toStdout)
    return usage("--stdout answers job files, not a folder");
  if (!command.files.empty() && command.wait) return usage("--wait is for --folder or --watch");

  exchange::AnswerOptions options;
  if (command.refractedVertex) {
    const exchange::DcsNumber mm = exchange::ReadDcsNumber(*command.refractedVertex);
    const PlausibleRange& vertex = *RangeOf(Field::odrvd);
    if (!mm.Known() || mm.value < vertex.low || mm.value > vertex.high) {
      err << "asworn-cli: dcs: --refracted-vertex takes " << vertex.text << ", e.g. 12.5\n";
      return kExitUsage;
    }
    options.refractedVertex = mm.value;
  }
  if (!command.defaults.empty()) {
    const WholeFileRead file = ReadRegularFile(PathOf(command.defaults), labdrop::kMaxJobFileSize);
    if (!file.bytes) {
      err << "asworn-cli: could not read \"" << command.defaults
          << "\": " << file.error.toStdString() << '\n';
      return kExitNoInput;
    }
    exchange::LabDefaultsRead defaults = exchange::ReadLabDefaults(file.bytes->toStdString());
    if (!defaults.records) {
      err << "asworn-cli: dcs: --defaults " << command.defaults << ": " << defaults.error << '\n';
      return kExitUsage;
    }
    if (command.refractedVertex && exchange::FindRecord(*defaults.records, "_REFBVD"))
      return usage("--refracted-vertex and a _REFBVD in --defaults: give one of them");
    options.defaults = std::move(*defaults.records);
  }
  options.order = {*optics::OrderFromWord(command.order),
                   *optics::ConventionFromWord(command.convention),
                   *optics::StepFromWord(command.steps)};

  if (command.files.empty()) return AnswerDropFolder(command, options, out, err);
  Answerer answerer(options, out, err);
  for (const std::string& file : command.files) answerer.Answer(PathOf(file), command.toStdout);
  return answerer.Result().Status();
}

}  // namespace asworn::cli
