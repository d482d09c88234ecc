// SPDX-License-Identifier: Apache-2.0
#pragma once
// What an answer needs of one Compute: each eye's lens to make, as the ticket's numbers, and
// the exact as-worn check of that very lens, or why there is none. The only file of the
// exchange that knows the engine's result type.

#include <optional>
#include <string>

#include "eye_fields.h"
#include "job_sheet.h"
#include "lens_order.h"

namespace asworn::exchange {

// One eye's lens to make, as a lab writes it.
struct CompensatedEye {
  double sph = 0, cyl = 0;  // D, in the lab's step
  double axis = 0;          // whole degrees, 1 to 180
  double prism = 0;         // prism dioptres, 2 decimals; negative is base out
};

// One eye's exact as-worn check.
struct AsWornLabels {
  double exactSph = 0, exactCyl = 0, exactAxis = 0;  // the exact order, as a lab writes it
  bool withinAnsi = false;                           // the lens ordered within ANSI tolerance
  double wornSph = 0, wornCyl = 0, wornAxis = 0;     // what the lens ordered gives as worn
  std::string outside;  // the parts outside tolerance, in ASCII; empty when within
};

struct AsWornCheckResult {
  std::optional<AsWornLabels> right, left;
  std::string pairOutside;  // the pair's vertical imbalance beyond its limit, in ASCII
  std::string problem;      // why the check failed; empty when it did not
};

struct LensFault {
  std::optional<Eye> eye;  // the eye whose fields the fault names; none for both
  std::string message;
};

struct LensResult {
  std::optional<CompensatedEye> right, left;  // both set, or neither
  std::optional<LensFault> fault;             // Compute stopped
  AsWornCheckResult check;                    // of the lens in right and left
};

// Compute on `sheet` once, reading every number with a full stop whatever the user's locale;
// the lens the settings order, as a lab writes it, and the as-worn check of that very lens
// come from that one Compute.
LensResult ComputeLens(const JobSheet& sheet, const optics::OrderSettings& settings);

}  // namespace asworn::exchange
