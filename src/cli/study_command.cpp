// SPDX-License-Identifier: Apache-2.0
#include "study_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <ostream>
#include <thread>
#include <vector>

#include "cli.h"
#include "study_grid.h"

namespace asworn::cli {
namespace {

constexpr int kExitInterrupted = 130;

std::atomic<bool> interrupted{false};
extern "C" void OnInterrupt(int) {
  interrupted.store(true);
}

struct JobResult {
  bool computed = false;
  std::array<OrderVerdict, kStudyOrders> verdicts{};
};

// A sorted sample's value at fraction q (nearest rank).
double Quantile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return 0;
  const auto rank =
      static_cast<std::size_t>(std::lround(q * static_cast<double>(sorted.size() - 1)));
  return sorted[std::min(rank, sorted.size() - 1)];
}

std::string Percent(std::size_t part, std::size_t whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%",
                whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
  return text;
}

std::string Dioptres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

constexpr const char* kOrderNames[kStudyOrders] = {"ticket formula", "exact order",
                                                   "no compensation"};

void WriteTable(std::ostream& out, const std::vector<optics::WearConvention>& conventions,
                const std::vector<std::vector<JobResult>>& results, std::size_t jobs) {
  out << "| Convention | Order | Jobs | Outside | Sphere | Cylinder | Axis | Median ‖ΔF‖ D | "
         "95th ‖ΔF‖ D | Largest ‖ΔF‖ D |\n"
      << "| --- | --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |\n";
  for (std::size_t c = 0; c < conventions.size(); ++c) {
    for (std::size_t o = 0; o < kStudyOrders; ++o) {
      std::size_t computed = 0, any = 0, sphere = 0, cylinder = 0, axis = 0;
      std::vector<double> errors;
      errors.reserve(jobs);
      for (const JobResult& r : results[c]) {
        if (!r.computed) continue;
        const OrderVerdict& v = r.verdicts[o];
        ++computed;
        any += v.Out();
        sphere += v.sphereOut;
        cylinder += v.cylinderOut;
        axis += v.axisOut;
        errors.push_back(v.matrixError);
      }
      std::sort(errors.begin(), errors.end());
      out << "| " << optics::ConventionWord(conventions[c]) << " | " << kOrderNames[o] << " | "
          << computed << " | " << Percent(any, computed) << " | " << Percent(sphere, computed)
          << " | " << Percent(cylinder, computed) << " | " << Percent(axis, computed) << " | "
          << Dioptres(Quantile(errors, 0.5)) << " | " << Dioptres(Quantile(errors, 0.95)) << " | "
          << Dioptres(errors.empty() ? 0 : errors.back()) << " |\n";
    }
  }
}

QByteArray CsvOf(const std::vector<optics::WearConvention>& conventions,
                 const std::vector<std::vector<JobResult>>& results, std::size_t every) {
  QByteArray csv = "sphere,cylinder,axis,tilt,wrap,index,refracted,fitted,base_curve,convention";
  for (const char* order : {"ticket", "exact", "uncompensated"})
    for (const char* column : {"sphere_out", "cylinder_out", "axis_out", "matrix_error"})
      csv += QByteArray(",") + order + "_" + column;
  csv += "\n";
  char line[512];
  for (std::size_t c = 0; c < conventions.size(); ++c)
    for (std::size_t i = 0; i < results[c].size(); ++i) {
      const JobResult& r = results[c][i];
      if (!r.computed) continue;
      const StudyJob j = StudyGridJob(i * every);
      int n =
          std::snprintf(line, sizeof line, "%g,%g,%g,%g,%g,%g,%g,%g,%g,%s", j.sphere, j.cylinder,
                        j.axis, j.tilt, j.wrap, j.index, j.refractedMm, j.fittedMm, j.baseCurve,
                        std::string(optics::ConventionWord(conventions[c])).c_str());
      csv.append(line, n);
      for (const OrderVerdict& v : r.verdicts) {
        n = std::snprintf(line, sizeof line, ",%d,%d,%d,%.6f", v.sphereOut, v.cylinderOut,
                          v.axisOut, v.matrixError);
        csv.append(line, n);
      }
      csv += "\n";
    }
  return csv;
}

}  // namespace

CLI::App* AddStudyCommand(CLI::App& app, StudyCommand& command) {
  CLI::App* study = app.add_subcommand(
      "study",
      "Check the README's grid of right-eye jobs as worn (spheres -10 to +8 D by 1, cylinders "
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
  const std::size_t jobs = (StudyGridSize() + command.every - 1) / command.every;
  std::vector<std::vector<JobResult>> results(conventions.size(), std::vector<JobResult>(jobs));

  interrupted.store(false);
  const auto previous = std::signal(SIGINT, OnInterrupt);
  std::atomic<std::size_t> next{0}, done{0};
  constexpr std::size_t kChunk = 512;
  const auto work = [&] {
    for (std::size_t start; (start = next.fetch_add(kChunk)) < jobs && !interrupted.load();) {
      const std::size_t end = std::min(jobs, start + kChunk);
      for (std::size_t i = start; i < end; ++i) {
        const std::vector<StudyVerdicts> verdicts =
            StudyJobVerdicts(StudyGridJob(i * command.every), conventions);
        for (std::size_t c = 0; c < conventions.size(); ++c)
          if (verdicts[c]) results[c][i] = {true, *verdicts[c]};
      }
      done.fetch_add(end - start);
    }
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < (command.threads ? command.threads : cores); ++t)
    workers.emplace_back(work);
  // Progress only for a person watching a terminal, never into a file or a pipe.
  const bool terminal = isatty(STDERR_FILENO) == 1;
  while (terminal && done.load() < jobs && !interrupted.load()) {
    std::fprintf(stderr, "\rstudy: %zu of %zu jobs", done.load(), jobs);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  for (std::thread& worker : workers) worker.join();
  if (terminal) std::fprintf(stderr, "\r\033[K");
  std::signal(SIGINT, previous);
  if (interrupted.load()) {
    err << "asworn-cli: study: interrupted; nothing written\n";
    return kExitInterrupted;
  }

  if (!command.csv.empty()) {
    QSaveFile file(QString::fromLocal8Bit(command.csv.c_str()));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(CsvOf(conventions, results, command.every)) < 0 || !file.commit()) {
      err << "asworn-cli: could not write \"" << command.csv
          << "\": " << file.errorString().toStdString() << '\n';
      return kExitCannotWrite;
    }
  }
  WriteTable(out, conventions, results, jobs);
  return kExitOk;
}

}  // namespace asworn::cli
