// SPDX-License-Identifier: Apache-2.0
#pragma once
// Running asworn-cli in the test process, with its exit status and both streams.

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace asworn::cli {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun RunIn(const std::vector<std::string>& args, const NumberFormat& format = {}) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err, format);
  return {status, out.str(), err.str()};
}

}  // namespace asworn::cli
