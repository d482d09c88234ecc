// SPDX-License-Identifier: Apache-2.0
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

// A fitting: each eye's Rx, one lens index and vertex distances for both, tilt and wrap.
struct EyeRx {
  std::string sph, cyl, axis;
};

inline JobSheet Fitting(const EyeRx& right, const EyeRx& left, const std::string& index,
                        const std::string& rvd, const std::string& fvd, const std::string& tilt,
                        const std::string& wrap) {
  return Sheet({{Field::odsph, right.sph},
                {Field::odcyl, right.cyl},
                {Field::odaxis, right.axis},
                {Field::ossph, left.sph},
                {Field::oscyl, left.cyl},
                {Field::osaxis, left.axis},
                {Field::odn, index},
                {Field::osn, index},
                {Field::odrvd, rvd},
                {Field::odfvd, fvd},
                {Field::osrvd, rvd},
                {Field::osfvd, fvd},
                {Field::tilt, tilt},
                {Field::wrap, wrap}});
}

// Both eyes with the same Rx.
inline JobSheet BothEyes(const std::string& sph, const std::string& cyl, const std::string& axis,
                         const std::string& index, const std::string& rvd, const std::string& fvd,
                         const std::string& tilt, const std::string& wrap) {
  const EyeRx rx{sph, cyl, axis};
  return Fitting(rx, rx, index, rvd, fvd, tilt, wrap);
}

}  // namespace asworn::testing_support
