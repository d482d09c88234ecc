// SPDX-License-Identifier: Apache-2.0
#pragma once
// asworn-cli dcs --watch: a drop folder answered as jobs arrive, until SIGTERM or SIGINT.

#include <chrono>
#include <iosfwd>

#include "folder_run.h"

namespace asworn::cli {

// A job whose arrival was not signalled (a full event queue, a network file system) is still
// found this often.
inline constexpr std::chrono::milliseconds kRescanInterval{5000};

// Answers what is in the folder, then each job as it arrives; on SIGTERM or SIGINT finishes the
// job in hand and returns true. False when the folder cannot be watched or is gone, said on
// `err`.
bool WatchFolder(FolderRun& run, const QString& folder, std::ostream& err);

}  // namespace asworn::cli
