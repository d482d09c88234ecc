// SPDX-License-Identifier: Apache-2.0
// The strict conversion on any text in several number formats. The first byte chooses the
// format, the rest is the text. It never throws, never gives NaN, and what it accepts is
// the number the lenient reading gives for the same text written plainly (group
// separators dropped, the decimal separator a full stop).

#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "parse_number.h"

namespace {

bool IsStrictBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string Plain(std::string_view text, const asworn::NumberFormat& format) {
  while (!text.empty() && IsStrictBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsStrictBlank(text.back())) text.remove_suffix(1);
  std::string plain;
  while (!text.empty()) {
    if (!format.groupSeparator.empty() && text.starts_with(format.groupSeparator)) {
      text.remove_prefix(format.groupSeparator.size());
    } else if (text.starts_with(format.decimalSeparator)) {
      plain += '.';
      text.remove_prefix(format.decimalSeparator.size());
    } else {
      plain += text.front();
      text.remove_prefix(1);
    }
  }
  return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using asworn::fuzzing::Broken;
  using asworn::fuzzing::kFormats;
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view text = input.substr(1);
  // Besides the real formats, two odd ones: equal separators and none at all.
  static const asworn::NumberFormat kSame{".", "."};
  static const asworn::NumberFormat kNone{"", ""};
  const std::size_t choice = data[0] % (kFormats.size() + 2);
  const asworn::NumberFormat& format =
      choice < kFormats.size() ? kFormats[choice] : (choice == kFormats.size() ? kSame : kNone);

  std::optional<double> value;
  try {
    value = asworn::ParseStrictNumber(text, format);
  } catch (const std::exception& e) {
    Broken(std::string("ParseStrictNumber threw: ") + e.what(), input);
  }
  if (!value || choice >= kFormats.size()) return 0;
  if (std::isnan(*value)) Broken("ParseStrictNumber gave NaN", input);
  const double plain = asworn::ParseLeadingNumber(Plain(text, format));
  if (*value != plain || std::signbit(*value) != std::signbit(plain))
    Broken("ParseStrictNumber gave " + std::to_string(*value) + ", written plainly " +
               std::to_string(plain),
           input);
  return 0;
}
