// SPDX-License-Identifier: Apache-2.0
#pragma once
// A drop folder answered as jobs arrive, until SIGTERM or SIGINT.

#include <chrono>
#include <iosfwd>

#include "folder_run.h"

namespace asworn::labdrop {

// A job whose arrival was not signalled (a full event queue, a network file system) is still
// found this often.
inline constexpr std::chrono::milliseconds kRescanInterval{5000};

// Answers what is in the folder, then each job as it arrives; on SIGTERM or SIGINT finishes the
// job in hand and returns true. False when the folder cannot be watched or is gone, said on
// `err`. A job that gave no sign is found after `rescanInterval` at the latest.
bool WatchFolder(FolderRun& run, const QString& folder, std::ostream& err,
                 std::chrono::milliseconds rescanInterval = kRescanInterval);

}  // namespace asworn::labdrop
