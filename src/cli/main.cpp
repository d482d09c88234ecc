// SPDX-License-Identifier: Apache-2.0
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "user_number_format.h"

int main(int argc, char** argv) {
  // A file size limit (ulimit -f, a quota) must fail the write, which is reported, instead of
  // killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return asworn::cli::RunCli(args, std::cout, std::cerr, asworn::UserNumberFormat());
}
