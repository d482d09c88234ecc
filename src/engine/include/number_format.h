// SPDX-License-Identifier: Apache-2.0
#pragma once
// The user's number format, as far as the engine needs it. The front ends read it from
// the user's locale; the engine itself knows no locale.

#include <string>

namespace asworn {

struct NumberFormat {
  std::string decimalSeparator = ".";
  std::string groupSeparator = ",";
};

}  // namespace asworn
