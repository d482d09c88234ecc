#include "as_worn_input.h"

#include "parse_number.h"

namespace asworn::optics {
namespace {

struct EyeFields {
  Field sph, cyl, axis, n, bc, diam, rvd, fvd;
};

EyeInput EyeOf(const JobSheet& sheet, const EyeFields& f, const RoundedRx& order,
               const PrismOfOneEye& prism) {
  const auto read = [&](Field field) { return ParseLeadingNumber(sheet[field]); };
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

AsWornInput AsWornInputOf(const JobSheet& sheet, const Compensation& c) {
  AsWornInput input;
  input.od = EyeOf(sheet,
                   {Field::odsph, Field::odcyl, Field::odaxis, Field::odn, Field::odbc,
                    Field::oddiam, Field::odrvd, Field::odfvd},
                   c.odRounded, c.prism.od);
  input.os = EyeOf(sheet,
                   {Field::ossph, Field::oscyl, Field::osaxis, Field::osn, Field::osbc,
                    Field::osdiam, Field::osrvd, Field::osfvd},
                   c.osRounded, c.prism.os);
  input.tiltDegrees = ParseLeadingNumber(sheet[Field::tilt]);
  input.wrapDegrees = ParseLeadingNumber(sheet[Field::wrap]);
  return input;
}

AsWornResult AsWornCheck(const JobSheet& sheet, const Compensation& compensation) {
  return AsWornCheck(AsWornInputOf(sheet, compensation));
}

}  // namespace asworn::optics
