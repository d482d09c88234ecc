#pragma once
// The fields of each eye, for every step that computes both eyes alike.

#include <array>

#include "compute_fault.h"
#include "job_sheet.h"

namespace asworn {

struct EyeFields {
  Field sph, cyl, axis;  // the prescription
  Field bc, n, diam;     // the lens
  Field rvd, fvd;        // refracted and fitted vertex distance
};

inline constexpr std::array<EyeFields, 2> kEyeFields{{
    {Field::odsph, Field::odcyl, Field::odaxis, Field::odbc, Field::odn, Field::oddiam,
     Field::odrvd, Field::odfvd},
    {Field::ossph, Field::oscyl, Field::osaxis, Field::osbc, Field::osn, Field::osdiam,
     Field::osrvd, Field::osfvd},
}};

constexpr std::size_t IndexOf(Eye eye) {
  return eye == Eye::right ? 0 : 1;
}
constexpr const EyeFields& FieldsOf(Eye eye) {
  return kEyeFields[IndexOf(eye)];
}

}  // namespace asworn
