// SPDX-License-Identifier: Apache-2.0
#pragma once
// Prism where a line of sight crosses the lens: exactly, from the ray's deviation, and by
// Prentice's rule; and the two numbers of a pair that tolerances and slab-off look at.

#include <Eigen/Core>

#include "as_worn_power.h"
#include "eye_fields.h"
#include "power_matrix.h"

namespace asworn::optics {

// The deviation of `outward` (toward the object) from `axis`, on the screen across `axis`
// whose horizontal is `horizontal` made perpendicular to it. Base in and base up positive.
InducedPrism PrismOnScreen(const Eigen::Vector3d& outward, const Eigen::Vector3d& axis,
                           const Eigen::Vector3d& horizontal, Eye eye);

// Prentice's rule with the whole power matrix: −100·F·r, r from the optical centre (m, lens
// frame). A plus lens seen below its optical centre gives base up.
InducedPrism PrenticePrism(const PowerMatrix& order, const Eigen::Vector2d& fromOpticalCentre,
                           Eye eye);

struct PairPrism {
  double verticalImbalance = 0;  // right base up minus left base up, signed
  double horizontalTotal = 0;    // both eyes' base in
};

PairPrism PairOf(const InducedPrism& od, const InducedPrism& os);

}  // namespace asworn::optics
