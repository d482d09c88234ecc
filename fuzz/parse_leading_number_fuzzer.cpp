// SPDX-License-Identifier: Apache-2.0
// The lenient conversion on any text: it never throws, never gives NaN, and agrees with a
// slow reading written from its rules.

#include <cmath>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "leading_number_reference.h"
#include "parse_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using asworn::fuzzing::Broken;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double value = 0;
  try {
    value = asworn::ParseLeadingNumber(text);
  } catch (const std::exception& e) {
    Broken(std::string("ParseLeadingNumber threw: ") + e.what(), text);
  }
  if (std::isnan(value)) Broken("ParseLeadingNumber gave NaN", text);
  const double reference = asworn::testing_support::ReferenceLeadingNumber(text);
  if (value != reference || std::signbit(value) != std::signbit(reference))
    Broken("ParseLeadingNumber gave " + std::to_string(value) + ", the rules " +
               std::to_string(reference),
           text);
  return 0;
}
