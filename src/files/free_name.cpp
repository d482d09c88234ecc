// SPDX-License-Identifier: Apache-2.0
#include "free_name.h"

#include <cerrno>
#include <cstring>

#include "write_file.h"

namespace asworn {

FreeNameMove MoveToFreeName(const QString& from, const std::function<QString(int)>& nameOf,
                            int first, int last) {
  for (int n = first; n <= last; ++n) {
    const QString target = nameOf(n);
    if (RenameWithoutReplacing(from, target)) return {true, n, target, {}};
    if (errno != EEXIST) return {false, n, target, QString::fromLocal8Bit(std::strerror(errno))};
  }
  return {false, last, {}, {}};
}

}  // namespace asworn
