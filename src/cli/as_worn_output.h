#pragma once
// The exact as-worn check of a computed ticket, as lines for an optician or as JSON.

#include <iosfwd>
#include <nlohmann/json.hpp>

#include "as_worn_check.h"

namespace asworn::cli {

// {"od": {...}, "os": {...}}: unrounded doubles; an eye that cannot be traced holds only
// {"fault": reason}.
nlohmann::ordered_json AsWornJson(const optics::AsWornResult& result);

// A few lines per eye: required, as worn, verdict, exact order, prism.
void WriteAsWornText(std::ostream& out, const optics::AsWornResult& result);

}  // namespace asworn::cli
