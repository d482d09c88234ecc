// SPDX-License-Identifier: Apache-2.0
#pragma once
// asworn-cli patients and history: finding a patient in a folder and a patient's earlier
// records.

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace asworn::cli {

struct PatientsCommand {
  std::string folder;
  std::string search;
  bool json = false;
};

struct HistoryCommand {
  std::string folder;
  std::string lastname;
  std::string firstname;
};

CLI::App* AddPatientsCommand(CLI::App& app, PatientsCommand& command);
int RunPatients(const PatientsCommand& command, std::ostream& out, std::ostream& err);

CLI::App* AddHistoryCommand(CLI::App& app, HistoryCommand& command);
int RunHistory(const HistoryCommand& command, std::ostream& out);

}  // namespace asworn::cli
