// SPDX-License-Identifier: Apache-2.0
#pragma once
// The eyes, and the fields of each, for the engine's steps that compute both eyes alike and
// for everything that reads or writes one eye's numbers (the exact check, the lab exchange).

#include <array>
#include <cstddef>

#include "job_sheet.h"

namespace asworn {

enum class Eye { right, left };

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
