// SPDX-License-Identifier: Apache-2.0
#pragma once
// The exact as-worn check of a computed ticket, as lines for an optician or as JSON.

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string_view>

#include "as_worn_check.h"

namespace asworn::cli {

// {"od": {...}, "os": {...}}: unrounded doubles; an eye that cannot be traced holds only
// {"fault": reason}.
nlohmann::ordered_json AsWornJson(const optics::AsWornResult& result);

// A few lines per eye: required, as worn, verdict, exact order, prism; numbers with the
// ticket's decimal separator.
void WriteAsWornText(std::ostream& out, const optics::AsWornResult& result,
                     std::string_view decimalSeparator);

}  // namespace asworn::cli
