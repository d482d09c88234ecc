#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "user_number_format.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return asworn::cli::RunCli(args, std::cout, std::cerr, asworn::UserNumberFormat());
}
