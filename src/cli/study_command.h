// SPDX-License-Identifier: Apache-2.0
#pragma once
// asworn-cli study: the share of the grid's jobs outside tolerance as worn, by order and by
// reading of tilt and wrap, as a Markdown table.

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace asworn::cli {

struct StudyCommand {
  std::string convention = "both";
  std::string csv;        // one row per job and reading, when set
  std::size_t every = 1;  // study every Nth job of the grid
  unsigned threads = 0;   // 0: every core
};

CLI::App* AddStudyCommand(CLI::App& app, StudyCommand& command);
int RunStudy(const StudyCommand& command, std::ostream& out, std::ostream& err);

}  // namespace asworn::cli
