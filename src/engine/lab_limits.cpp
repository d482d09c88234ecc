// SPDX-License-Identifier: Apache-2.0
#include "lab_limits.h"

#include <string>
#include <vector>

#include "eye_fields.h"
#include "fault_message.h"
#include "number_text.h"
#include "plausible_ranges.h"
#include "step_check.h"

namespace asworn {
namespace {

[[noreturn]] void Refuse(const JobSheet& sheet, const std::string& quantity, double value,
                         const ResultLimit& limit, std::vector<Field> fields) {
  std::string message = LimitMessage(quantity, value, limit.text, fields, sheet);
  throw FaultSignal({FaultKind::beyondLabLimit, std::move(fields), quantity, std::move(message)});
}

bool Beyond(double value, const ResultLimit& limit) {
  return !(value >= limit.low && value <= limit.high);
}

}  // namespace

void CheckCompensatedPower(const JobSheet& sheet, Eye eye, const RoundedRx& rx) {
  const ResultLimit& limit = LimitOf(Result::compensatedPower);
  const EyeFields& f = FieldsOf(eye);
  const std::string side(EyeName(eye));
  // The vertex distances are named with the powers: their change is what grows a power.
  const std::vector<Field> fields{f.sph, f.cyl, f.rvd, f.fvd};
  if (Beyond(rx.sphere, limit))
    Refuse(sheet, side + " compensated sphere", rx.sphere, limit, fields);
  const double meridian = RoundHalfEven(rx.sphere + rx.cylinder, 2);
  if (Beyond(meridian, limit))
    Refuse(sheet, side + " compensated sphere plus cylinder", meridian, limit, fields);
}

void CheckPrism(const JobSheet& sheet, Eye eye, const PrismOfOneEye& prism) {
  const ResultLimit& limit = LimitOf(Result::prism);
  const EyeFields& f = FieldsOf(eye);
  if (Beyond(prism.rounded, limit))
    Refuse(sheet, std::string(EyeName(eye)) + " prism", prism.rounded, limit,
           {Field::wrap, f.bc, f.diam, f.sph});
}

}  // namespace asworn
