// SPDX-License-Identifier: Apache-2.0
// Opening the patient list of a busy lab: 20 000 patient files read, sorted newest first and
// shown in the dialog, and narrowing the list by a typed name.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "patient_list.h"
#include "patient_list_dialog.h"
#include "record_line.h"

namespace {

constexpr int kPatients = 20000;

// The folder, written once for every benchmark of the run.
const QString& PatientFolder() {
  static const auto dir = [] {
    auto made = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < kPatients; ++i) {
      asworn::PatientRecord record;
      record.fill("1.00");
      record[0] = "First" + std::to_string(i);
      record[1] = "Lästname" + std::to_string(i);
      record[2] = "R" + std::to_string(i);
      const std::string line = asworn::JoinRecordLine(record);
      QFile file(made->filePath(QStringLiteral("Lästname%1-First%1.txt").arg(i)));
      if (!file.open(QIODevice::WriteOnly)) std::abort();
      file.write(line.data(), static_cast<qint64>(line.size()));
    }
    return made;
  }();
  static const QString path = dir->path();
  return path;
}

QApplication& App() {
  static int argc = 1;
  static char name[] = "patient_list_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

void BM_ListPatients20000(benchmark::State& state) {
  const QString& folder = PatientFolder();
  for (auto _ : state) benchmark::DoNotOptimize(asworn::ListPatients(folder));
}
BENCHMARK(BM_ListPatients20000)->Unit(benchmark::kMillisecond);

// What the optician waits for: the files read and the dialog shown with all of them.
void BM_OpenPatientList20000(benchmark::State& state) {
  App();
  const QString& folder = PatientFolder();
  for (auto _ : state) {
    asworn::app::PatientListDialog dialog(asworn::ListPatients(folder), QString());
    dialog.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_OpenPatientList20000)->Unit(benchmark::kMillisecond);

void BM_FindPatients20000(benchmark::State& state) {
  const asworn::PatientList list = asworn::ListPatients(PatientFolder());
  for (auto _ : state) benchmark::DoNotOptimize(asworn::FindPatients(list.patients, "lastname19"));
}
BENCHMARK(BM_FindPatients20000)->Unit(benchmark::kMillisecond);

}  // namespace
