// SPDX-License-Identifier: Apache-2.0
#pragma once
// Progressive and multifocal jobs: only the distance zone is compensated.

#include <vector>

#include "dcs_records.h"

namespace asworn::exchange {

// Whether the job states an addition for an eye it covers. An ADD that cannot be read counts:
// saying too often that the near zone was left alone is harmless, too seldom is not.
bool HasAddition(const std::vector<DcsRecord>& job, bool right, bool left);

}  // namespace asworn::exchange
