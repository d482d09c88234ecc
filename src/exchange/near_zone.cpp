// SPDX-License-Identifier: Apache-2.0
#include "near_zone.h"

namespace asworn::exchange {

bool HasAddition(const std::vector<DcsRecord>& job, bool right, bool left) {
  const DcsRecord* add = FindRecord(job, "ADD");
  if (!add || !add->value) return false;
  for (Eye side : {Eye::right, Eye::left}) {
    if ((side == Eye::right && !right) || (side == Eye::left && !left)) continue;
    const DcsNumber number = ReadDcsNumber(EyeValue(*add->value, side));
    if (number.kind == DcsNumber::Kind::malformed || (number.Known() && number.value != 0))
      return true;
  }
  return false;
}

}  // namespace asworn::exchange
