// SPDX-License-Identifier: Apache-2.0
#pragma once
// Why a lens cannot be traced as worn: the line of sight misses the front, is reflected
// totally, or the numbers are not finite. The text is for an optician.

#include <exception>
#include <string_view>

namespace asworn::optics {

enum class OpticsFault {
  indexNotAboveOne,    // the ray bends the wrong way or not at all
  lensNotBuildable,    // no front surface or thickness from the base curve and thickness
  totalReflection,     // the line of sight cannot leave the glass
  missesFrontSurface,  // the line of sight passes beside the front's cap
  noFinitePower,       // a power as worn that is infinite or undefined
  // Off the fitting point, at a gaze of the reading level:
  noSightLine,           // no line of sight through the lens reaches the object
  missesBackSurface,     // the line of sight passes beside the back surface
  centreOffBackSurface,  // the decentred optical centre is not on the back surface
  noFinitePowerAtGaze,   // a power at the reading point that is infinite or undefined
};

// "the index must be above 1", ...: lower case, to follow "cannot be traced as worn: ".
std::string_view FaultText(OpticsFault fault);

// Thrown by CheckEye when the lens cannot be traced; AsWornCheck turns it into the eye's
// outcome.
class TraceFault : public std::exception {
 public:
  explicit TraceFault(OpticsFault fault) : fault_(fault) {}
  OpticsFault Fault() const { return fault_; }
  const char* what() const noexcept override { return FaultText(fault_).data(); }

 private:
  OpticsFault fault_;
};

}  // namespace asworn::optics
