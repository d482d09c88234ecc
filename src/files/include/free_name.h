// SPDX-License-Identifier: Apache-2.0
#pragma once
// Moving a file to the first free one of a row of names, never replacing a file: "104233.lds",
// "104233.1.lds", "104233.2.lds"...; "Doe-Jane 2026-01-02 030405.txt", "... (2).txt"...

#include <QString>
#include <functional>

namespace asworn {

struct FreeNameMove {
  bool moved = false;
  int number = 0;  // the number of the name taken, or of the name that failed
  QString target;  // that name's path
  QString error;   // why not, in the system's words; empty when none of the names was free
};

// Renames `from` to nameOf(first), or when that is taken to nameOf(first + 1), and so on up to
// nameOf(last). Stops at the first failure that is not a taken name.
FreeNameMove MoveToFreeName(const QString& from, const std::function<QString(int)>& nameOf,
                            int first, int last);

}  // namespace asworn
