// SPDX-License-Identifier: Apache-2.0
#pragma once
// asworn-cli dcs: answering lab management systems' DCS job files.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace asworn::cli {

struct DcsCommand {
  std::vector<std::string> files;
  std::string folder;
  std::string watch;
  bool wait = false;
  std::string defaults;
  bool toStdout = false;
  std::optional<std::string> refractedVertex;
  std::string order = "exact";
  std::string convention = "frame";
  std::string steps = "0.01";
};

CLI::App* AddDcsCommand(CLI::App& app, DcsCommand& command);
int RunDcs(const DcsCommand& command, std::ostream& out, std::ostream& err);

}  // namespace asworn::cli
