#pragma once
// Job sheets for tests: the defaults with some fields replaced.

#include <initializer_list>
#include <string>
#include <utility>

#include "job_sheet.h"

namespace asworn::testing_support {

inline JobSheet Sheet(std::initializer_list<std::pair<Field, std::string>> changes = {}) {
  JobSheet sheet;
  for (const auto& [field, text] : changes) sheet[field] = text;
  return sheet;
}

// Both eyes with the same Rx, lens index and vertex distances.
inline JobSheet BothEyes(const std::string& sph, const std::string& cyl, const std::string& axis,
                         const std::string& index, const std::string& rvd, const std::string& fvd,
                         const std::string& tilt, const std::string& wrap) {
  return Sheet({{Field::odsph, sph},
                {Field::odcyl, cyl},
                {Field::odaxis, axis},
                {Field::ossph, sph},
                {Field::oscyl, cyl},
                {Field::osaxis, axis},
                {Field::odn, index},
                {Field::osn, index},
                {Field::odrvd, rvd},
                {Field::odfvd, fvd},
                {Field::osrvd, rvd},
                {Field::osfvd, fvd},
                {Field::tilt, tilt},
                {Field::wrap, wrap}});
}

}  // namespace asworn::testing_support
