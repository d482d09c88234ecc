// SPDX-License-Identifier: Apache-2.0
#pragma once
// What the fuzz targets share: the number formats they try and a way to stop loudly.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "number_format.h"

namespace asworn::fuzzing {

// Formats a user's locale can give: English, the decimal comma, no grouping, a no-break
// space for grouping, Arabic separators of two bytes each.
inline const std::array<NumberFormat, 5> kFormats{{
    {".", ","},
    {",", "."},
    {".", ""},
    {",", "\xC2\xA0"},
    {"\xD9\xAB", "\xD9\xAC"},
}};

// Stops the run with `what` and the input's text: libFuzzer saves the input as a crash.
[[noreturn]] inline void Broken(const std::string& what, std::string_view input) {
  std::fprintf(stderr, "\nBROKEN: %s\ninput (%zu bytes): \"", what.c_str(), input.size());
  for (unsigned char c : input) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
      std::fputc(c, stderr);
    else
      std::fprintf(stderr, "\\x%02x", c);
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

}  // namespace asworn::fuzzing
