// SPDX-License-Identifier: Apache-2.0
#pragma once
// The exact as-worn check, as the answer's private labels need it.

#include "as_worn_check.h"
#include "lens_result.h"

namespace asworn::exchange {

// Each eye's labels from the check of the lens ordered; an eye that cannot be traced is the
// answer's problem, never a number.
AsWornCheckResult AsWornLabelsOf(const optics::AsWornResult& check);

}  // namespace asworn::exchange
