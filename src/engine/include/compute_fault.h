// SPDX-License-Identifier: Apache-2.0
#pragma once
// Why a Compute stopped.

#include <string>
#include <vector>

#include "job_sheet.h"

namespace asworn {

enum class FaultKind {
  indexNotNumber,   // the strict reading of a lens index failed
  indexAmbiguous,   // a lens index that the user's number format reads otherwise than the prism
  indexZero,        // an index of 0: the tilt factors divide by 2n
  indexOne,         // an index of 1: the lens thickness divides by n - 1
  empty,            // a numeric field left empty, or holding blanks only
  notANumber,       // a field text in which no number can be read
  cutShort,         // a number read in part: digits stand after it ("2.5.1")
  decimalComma,     // likewise, cut at a comma ("-4,25")
  separatorsMixed,  // a comma beside a full stop or a second comma, where a comma is a decimal
  signAfter,        // a sign after the number ("4.25-"), which the reading would drop
  outOfRange,       // a value outside the field's plausible range
  vertexPastFocus,  // 1 - d·F <= 0: the vertex change reaches or passes the lens's focal point
  tooLarge,         // a field's number is too large for the arithmetic
  beyondLabLimit,   // a rounded result no lab can make (see kResultLimits)
  arithmetic,       // any other division by zero, overflow or invalid operation
};

struct ComputeFault {
  FaultKind kind;
  // The fields whose texts lead to the fault, most direct first; for entries that cannot be
  // read, each of them in job-sheet order.
  std::vector<Field> fields;
  std::string quantity;  // what was being computed, e.g. "right tangential factor"
  std::string message;   // for the optician, naming the fields and their texts
};

}  // namespace asworn
