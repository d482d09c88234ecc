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
    case OpticsFault::noSightLine:
      return "the line of sight cannot be traced through the lens";
    case OpticsFault::missesBackSurface:
      return "the line of sight misses the back surface";
    case OpticsFault::centreOffBackSurface:
      return "the optical centre lies off the back surface";
    case OpticsFault::noFinitePowerAtGaze:
      return "the lens gives no finite power at the reading point";
    case OpticsFault::noFinitePower:
      break;
  }
  return "the lens as worn gives no finite power";
}

}  // namespace asworn::optics
