// SPDX-License-Identifier: Apache-2.0
#include "study_run.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <thread>

#include "number_text.h"

namespace asworn::study {
namespace {

std::atomic<bool> interrupted{false};
extern "C" void OnInterrupt(int) {
  interrupted.store(true);
}

// A sorted sample's value at fraction q (nearest rank).
double Quantile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return 0;
  const auto rank =
      static_cast<std::size_t>(std::lround(q * static_cast<double>(sorted.size() - 1)));
  return sorted[std::min(rank, sorted.size() - 1)];
}

std::string Percent(std::size_t part, std::size_t whole) {
  return FixedText(whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0,
                   1) +
         " %";
}

std::string Dioptres(double value) {
  return FixedText(value, 3);
}

constexpr const char* kOrderNames[kStudyOrders] = {"ticket formula", "exact order",
                                                   "no compensation"};

}  // namespace

std::string StudyTable(const StudyResults& all) {
  const std::vector<optics::WearConvention>& conventions = all.conventions;
  const std::vector<std::vector<JobResult>>& results = all.byConvention;
  std::ostringstream out;
  out << "| Convention | Order | Jobs | Outside | Sphere | Cylinder | Axis | Median ‖ΔF‖ D | "
         "95th ‖ΔF‖ D | Largest ‖ΔF‖ D |\n"
      << "| --- | --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |\n";
  for (std::size_t c = 0; c < conventions.size(); ++c) {
    for (std::size_t o = 0; o < kStudyOrders; ++o) {
      std::size_t computed = 0, any = 0, sphere = 0, cylinder = 0, axis = 0;
      std::vector<double> errors;
      errors.reserve(all.jobs);
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
  return out.str();
}

QByteArray StudyCsv(const StudyResults& all) {
  const std::vector<optics::WearConvention>& conventions = all.conventions;
  const std::vector<std::vector<JobResult>>& results = all.byConvention;
  QByteArray csv = "sphere,cylinder,axis,tilt,wrap,index,refracted,fitted,base_curve,convention";
  for (const char* order : {"ticket", "exact", "uncompensated"})
    for (const char* column : {"sphere_out", "cylinder_out", "axis_out", "matrix_error"})
      csv += QByteArray(",") + order + "_" + column;
  csv += "\n";
  for (std::size_t c = 0; c < conventions.size(); ++c)
    for (std::size_t i = 0; i < results[c].size(); ++i) {
      const JobResult& r = results[c][i];
      if (!r.computed) continue;
      const StudyJob j = StudyGridJob(i * all.every);
      std::string line;
      for (const double value : {j.sphere, j.cylinder, j.axis, j.tilt, j.wrap, j.index,
                                 j.refractedMm, j.fittedMm, j.baseCurve})
        line += NumberText(value) + ',';
      line += optics::ConventionWord(conventions[c]);
      for (const OrderVerdict& v : r.verdicts)
        line += std::string(v.sphereOut ? ",1" : ",0") + (v.cylinderOut ? ",1" : ",0") +
                (v.axisOut ? ",1," : ",0,") + FixedText(v.matrixError, 6);
      csv += QByteArray::fromStdString(line) + '\n';
    }
  return csv;
}

StudyResults RunStudyGrid(const std::vector<optics::WearConvention>& conventions, std::size_t every,
                          unsigned threads) {
  const std::size_t jobs = (StudyGridSize() + every - 1) / every;
  StudyResults all{
      conventions, every, jobs,
      std::vector<std::vector<JobResult>>(conventions.size(), std::vector<JobResult>(jobs)), false};
  std::vector<std::vector<JobResult>>& results = all.byConvention;

  interrupted.store(false);
  const auto previous = std::signal(SIGINT, OnInterrupt);
  std::atomic<std::size_t> next{0}, done{0};
  constexpr std::size_t kChunk = 512;
  const auto work = [&] {
    for (std::size_t start; (start = next.fetch_add(kChunk)) < jobs && !interrupted.load();) {
      const std::size_t end = std::min(jobs, start + kChunk);
      for (std::size_t i = start; i < end; ++i) {
        const std::vector<StudyVerdicts> verdicts =
            StudyJobVerdicts(StudyGridJob(i * every), conventions);
        for (std::size_t c = 0; c < conventions.size(); ++c)
          if (verdicts[c]) results[c][i] = {true, *verdicts[c]};
      }
      done.fetch_add(end - start);
    }
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < (threads ? threads : cores); ++t) workers.emplace_back(work);
  // Progress only for a person watching a terminal, never into a file or a pipe.
  const bool terminal = isatty(STDERR_FILENO) == 1;
  while (terminal && done.load() < jobs && !interrupted.load()) {
    std::fprintf(stderr, "\rstudy: %zu of %zu jobs", done.load(), jobs);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  for (std::thread& worker : workers) worker.join();
  if (terminal) std::fprintf(stderr, "\r\033[K");
  std::signal(SIGINT, previous);
  all.interrupted = interrupted.load();
  return all;
}

}  // namespace asworn::study
