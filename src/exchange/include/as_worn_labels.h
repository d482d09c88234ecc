#pragma once
// The exact as-worn check, as the answer's private labels need it.

#include "dcs_answer.h"

namespace asworn::exchange {

// Traces each eye's ticket lens as worn (exact ray trace) and gives the labels of the
// answer; a lens that cannot be traced is the answer's problem, never a number.
AsWornCheckResult CheckAsWorn(const JobSheet& sheet, const CompensatedEye& right,
                              const CompensatedEye& left);

}  // namespace asworn::exchange
