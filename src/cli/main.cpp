// SPDX-License-Identifier: Apache-2.0
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "user_number_format.h"

int main(int argc, char** argv) {
  // A file size limit (ulimit -f, a quota) must fail the write, which is reported, instead of
  // killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // Every failure the program knows of has its message and status; anything else is a bug, and
  // says so instead of ending in std::terminate's abort and core dump.
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return asworn::cli::RunCli(args, std::cout, std::cerr, asworn::UserNumberFormat());
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "asworn-cli: internal error: " << e.what() << '\n';
  } catch (...) {
    std::cout.flush();
    std::cerr << "asworn-cli: internal error: an unknown exception\n";
  }
  return asworn::cli::kExitInternalError;
}
