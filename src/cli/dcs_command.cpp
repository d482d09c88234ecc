#include "dcs_command.h"

#include <CLI/CLI.hpp>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <ostream>

#include "cli.h"
#include "dcs_answer.h"
#include "whole_file.h"

namespace asworn::cli {
namespace {

// Job files with traces reach a few hundred kilobytes; anything far larger is not one.
constexpr qint64 kMaxJobFileSize = qint64{16} * 1024 * 1024;

QString PathOf(const std::string& argument) {
  return QFile::decodeName(QByteArray::fromStdString(argument));
}
std::string PathText(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// 104233.lds -> 104233.lms, beside it.
QString AnswerPath(const QString& jobPath) {
  const QFileInfo info(jobPath);
  const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
  return info.dir().filePath(base + QStringLiteral(".lms"));
}

bool IsJobFile(const QFileInfo& info) {
  return info.isFile() && info.suffix().compare(QStringLiteral("lds"), Qt::CaseInsensitive) == 0;
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
    const WholeFileRead read = ReadRegularFile(jobPath, kMaxJobFileSize);
    if (!read.bytes) {
      err_ << "asworn-cli: could not read \"" << PathText(jobPath)
           << "\": " << read.error.toStdString() << '\n';
      outcome_.unreadable = true;
      return false;
    }
    const exchange::DcsAnswer answer =
        exchange::AnswerJob(exchange::ReadDcs(read.bytes->toStdString()), options_);
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
    const QString error = WriteFileAtomically(answerPath, QByteArray::fromStdString(bytes));
    if (!error.isEmpty()) {
      err_ << "asworn-cli: could not write \"" << PathText(answerPath)
           << "\": " << error.toStdString() << '\n';
      outcome_.unwritten = true;
      return false;
    }
    out_ << PathText(answerPath) << '\n';
    return true;
  }

  // Answers every job of the drop folder that has no answer yet and moves it to done/.
  void AnswerFolder(const QString& folder) {
    const QDir dir(folder);
    if (!QFileInfo(folder).isDir()) {
      err_ << "asworn-cli: \"" << PathText(folder) << "\" is not a folder\n";
      outcome_.unreadable = true;
      return;
    }
    const QString donePath = dir.filePath(QStringLiteral("done"));
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
      if (!IsJobFile(info) || QFileInfo::exists(AnswerPath(info.filePath()))) continue;
      if (!Answer(info.filePath(), false)) continue;
      if (!dir.mkpath(QStringLiteral("done"))) {
        err_ << "asworn-cli: could not make \"" << PathText(donePath) << "\"\n";
        outcome_.unwritten = true;
        return;
      }
      const QString target = QDir(donePath).filePath(info.fileName());
      // An earlier job of the same name stays; this one stays in the drop, answered.
      if (QFileInfo::exists(target) || !QFile::rename(info.filePath(), target)) {
        err_ << "asworn-cli: could not move \"" << PathText(info.filePath()) << "\" to \""
             << PathText(target) << "\"\n";
        outcome_.unwritten = true;
      }
    }
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
      "without guessing is answered STATUS=3 with one XSTATUS per problem. The answer goes "
      "beside the job file with the extension .lms, written whole or not at all, and its path "
      "is printed. Exit status: 0 when every job was answered, 2 when any was refused, 66 "
      "when a job file or the folder could not be read (wins over 73), 73 when an answer "
      "could not be written or a job not moved (wins over 2), 64 on a usage error.");
  dcs->add_option("JOB_FILE", command.files, "DCS job files, e.g. 104233.lds.")
      ->type_name("JOB_FILE");
  dcs->add_option("--folder", command.folder,
                  "Answer every *.lds in DIR that has no .lms answer yet, then move it to "
                  "DIR/done/ (for a lab's file drop).")
      ->type_name("DIR");
  dcs->add_flag("--stdout", command.toStdout, "Print the answers instead of writing them.");
  dcs->add_option("--refracted-vertex", command.refractedVertex,
                  "The refracted vertex distance in mm for jobs without _REFBVD; without it "
                  "such a job keeps its fitted distance (no vertex change).")
      ->type_name("MM");
  dcs->add_option("--order", command.order,
                  "ticket: the lens to make is the work ticket's compensated order; exact: "
                  "the exact as-worn order.")
      ->check(CLI::IsMember({"ticket", "exact"}));
  dcs->add_option("--convention", command.convention,
                  "frame (default) or head: how the as-worn check and the exact order read "
                  "the job's tilt and wrap.")
      ->check(CLI::IsMember({"frame", "head"}));
  return dcs;
}

int RunDcs(const DcsCommand& command, std::ostream& out, std::ostream& err) {
  const auto usage = [&](const char* message) {
    err << "asworn-cli: dcs: " << message << "\nRun 'asworn-cli dcs --help' for the options.\n";
    return kExitUsage;
  };
  if (command.files.empty() == command.folder.empty())
    return usage("give job files or --folder DIR, not both");
  if (!command.folder.empty() && command.toStdout)
    return usage("--stdout answers job files, not a folder");

  exchange::AnswerOptions options;
  if (command.refractedVertex) {
    const exchange::DcsNumber mm = exchange::ReadDcsNumber(*command.refractedVertex);
    if (!mm.Known() || mm.value < 0 || mm.value > 40)
      return usage("--refracted-vertex takes millimetres from 0 to 40, e.g. 12.5");
    options.refractedVertex = mm.value;
  }
  options.order = {*optics::OrderFromWord(command.order),
                   *optics::ConventionFromWord(command.convention)};

  Answerer answerer(options, out, err);
  if (!command.folder.empty()) {
    answerer.AnswerFolder(PathOf(command.folder));
  } else {
    for (const std::string& file : command.files) answerer.Answer(PathOf(file), command.toStdout);
  }
  return answerer.Result().Status();
}

}  // namespace asworn::cli
