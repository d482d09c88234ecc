#pragma once
// asworn-cli: the headless front end over the engine and the patient records.

#include <iosfwd>
#include <string>
#include <vector>

#include "number_format.h"

namespace asworn::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitComputeFault = 2;
inline constexpr int kExitUsage = 64;

// Runs the command line `args` (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const NumberFormat& format);

}  // namespace asworn::cli
