// SPDX-License-Identifier: Apache-2.0
#include "optics_fault.h"

namespace asworn::optics {

std::string_view FaultText(OpticsFault fault) {
  switch (fault) {
    case OpticsFault::indexNotAboveOne:
      return "the index must be above 1";
    case OpticsFault::lensNotBuildable:
      return "the lens cannot be built from its base curve and thickness";
    case OpticsFault::totalReflection:
      return "the line of sight is reflected totally in the lens";
    case OpticsFault::missesFrontSurface:
      return "the line of sight misses the front surface";
    case OpticsFault::noFinitePower:
      break;
  }
  return "the lens as worn gives no finite power";
}

}  // namespace asworn::optics
