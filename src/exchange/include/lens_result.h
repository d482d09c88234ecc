#pragma once
// What an answer needs of one Compute: the ticket's texts of each eye's compensated lens and
// prism, or why it stopped. The only file of the exchange that knows the engine's result type.

#include <optional>
#include <string>

#include "job_sheet.h"

namespace asworn::exchange {

struct CompensatedEye {
  std::string sph, cyl, axis;  // the ticket's texts, full-stop decimals
  std::string prism;           // signed: negative is base out
};

struct LensFault {
  char side = 'B';  // 'R', 'L' or 'B': the eye whose fields the fault names
  std::string message;
};

struct LensResult {
  std::optional<CompensatedEye> right, left;  // both set, or neither
  std::optional<LensFault> fault;
};

// Compute on `sheet`, reading every number with a full stop whatever the user's locale.
LensResult ComputeLens(const JobSheet& sheet);

}  // namespace asworn::exchange
