// SPDX-License-Identifier: Apache-2.0
#pragma once
// The one place where the check meets the ticket's Compute: the numbers it read from the job
// sheet and the order it made.

#include "as_worn_check.h"
#include "compensation_engine.h"

namespace asworn::optics {

// The numbers a finished Compute read from the job sheet and the order it made.
AsWornInput AsWornInputOf(const ComputedTicket& computed);

// The check of the lens the settings order: the ticket's, or the exact order in its place.
AsWornResult AsWornCheck(const ComputedTicket& computed, const OrderSettings& settings = {});

}  // namespace asworn::optics
