// SPDX-License-Identifier: Apache-2.0
#include "plausible_ranges.h"

namespace asworn {
namespace {

constexpr std::string_view kPower = "-30 to +30 D";
constexpr std::string_view kAxis = "0 to 180 degrees";
constexpr std::string_view kBaseCurve = "0 to 16 D";
constexpr std::string_view kIndex = "1.40 to 2.00";
constexpr std::string_view kDiameter = "20 to 100 mm";
constexpr std::string_view kVertex = "5 to 40 mm";
constexpr std::string_view kAngle = "-40 to +40 degrees";
constexpr std::string_view kPrism = "10 prism dioptres base in or out";

}  // namespace

const std::array<PlausibleRange, 18> kPlausibleRanges{{
    {Field::odsph, -30, 30, kPower},
    {Field::odcyl, -30, 30, kPower},
    {Field::odaxis, 0, 180, kAxis},
    {Field::ossph, -30, 30, kPower},
    {Field::oscyl, -30, 30, kPower},
    {Field::osaxis, 0, 180, kAxis},
    {Field::odbc, 0, 16, kBaseCurve},
    {Field::odn, 1.40, 2.00, kIndex},
    {Field::oddiam, 20, 100, kDiameter},
    {Field::osbc, 0, 16, kBaseCurve},
    {Field::osn, 1.40, 2.00, kIndex},
    {Field::osdiam, 20, 100, kDiameter},
    {Field::odrvd, 5, 40, kVertex},
    {Field::odfvd, 5, 40, kVertex},
    {Field::osrvd, 5, 40, kVertex},
    {Field::osfvd, 5, 40, kVertex},
    {Field::tilt, -40, 40, kAngle},
    {Field::wrap, -40, 40, kAngle},
}};

// A compensated sphere, and sphere plus cylinder, as entries are; wrap prism as lenses are
// surfaced.
const std::array<ResultLimit, 2> kResultLimits{{
    {Result::compensatedPower, -30, 30, kPower},
    {Result::prism, -10, 10, kPrism},
}};

const ResultLimit& LimitOf(Result result) {
  return kResultLimits[static_cast<std::size_t>(result)];
}

const PlausibleRange* RangeOf(Field field) {
  if (field < Field::odsph) return nullptr;
  return &kPlausibleRanges[IndexOf(field) - IndexOf(Field::odsph)];
}

}  // namespace asworn
