// SPDX-License-Identifier: Apache-2.0
#pragma once
// The prism a lens induces at the fitting point.

namespace asworn::optics {

// Prism dioptres, base in and base up positive.
struct InducedPrism {
  double baseIn = 0;
  double baseUp = 0;
};

}  // namespace asworn::optics
