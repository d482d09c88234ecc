// SPDX-License-Identifier: Apache-2.0
#include "as_worn_input.h"

#include <limits>

#include "eye_fields.h"

namespace asworn::optics {
namespace {

// The check traces exactly the numbers the ticket was computed from, never a second reading
// of the texts; a value Compute did not note would be a fault of ours, and shows as one.
double ValueRead(const FieldValues& readings, Field field) {
  return readings[IndexOf(field)].value_or(std::numeric_limits<double>::quiet_NaN());
}

EyeInput EyeOf(const FieldValues& readings, const EyeFields& f, const RoundedRx& order,
               const PrismOfOneEye& prism) {
  const auto read = [&](Field field) { return ValueRead(readings, field); };
  EyeInput e;
  e.prescription = {read(f.sph), read(f.cyl), read(f.axis)};
  e.index = read(f.n);
  e.baseCurve = read(f.bc);
  e.diameterMm = read(f.diam);
  e.refractedVertexMm = read(f.rvd);
  e.fittedVertexMm = read(f.fvd);
  e.ordered = {order.sphere, order.cylinder, order.axis};
  e.thicknessMm = prism.thick;
  return e;
}

}  // namespace

AsWornInput AsWornInputOf(const ComputedTicket& computed) {
  const Compensation& c = computed.compensation;
  AsWornInput input;
  input.od = EyeOf(computed.readings, FieldsOf(Eye::right), c.odRounded, c.prism.od);
  input.os = EyeOf(computed.readings, FieldsOf(Eye::left), c.osRounded, c.prism.os);
  input.tiltDegrees = ValueRead(computed.readings, Field::tilt);
  input.wrapDegrees = ValueRead(computed.readings, Field::wrap);
  return input;
}

AsWornResult AsWornCheck(const ComputedTicket& computed, const OrderSettings& settings) {
  AsWornInput input = AsWornInputOf(computed);
  input.order = settings.order;
  input.convention = settings.convention;
  input.step = settings.step;
  return AsWornCheck(input);
}

}  // namespace asworn::optics
