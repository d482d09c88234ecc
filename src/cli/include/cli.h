// SPDX-License-Identifier: Apache-2.0
#pragma once
// asworn-cli: the headless front end over the engine and the patient records.

#include <iosfwd>
#include <string>
#include <vector>

#include "number_format.h"

namespace asworn::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitComputeFault = 2;    // Compute stopped on a fault
inline constexpr int kExitUsage = 64;          // the command line itself is wrong
inline constexpr int kExitSaveRefused = 65;    // save: a name or text that cannot be stored
inline constexpr int kExitNoInput = 66;        // ticket: a patient file that cannot be loaded
inline constexpr int kExitCannotWrite = 73;    // save: the folder or the file cannot be written
inline constexpr int kExitInternalError = 70;  // an exception nothing expected: a bug

// Runs the command line `args` (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const NumberFormat& format);

}  // namespace asworn::cli
