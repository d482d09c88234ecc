// SPDX-License-Identifier: Apache-2.0
#pragma once
// The user's "Order", "Steps" and tilt-and-wrap reading, kept per user under the application
// id.

#include "lens_order.h"

namespace asworn::app {

// The stored settings; the defaults (ticket formula, frame, 0.01 D) where none are stored or a
// stored word is not one of ours.
optics::OrderSettings LoadOrderSettings();
void StoreOrderSettings(const optics::OrderSettings& settings);

}  // namespace asworn::app
