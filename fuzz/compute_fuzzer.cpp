// SPDX-License-Identifier: Apache-2.0
// The whole Compute over any 21 texts. The input is split at '|' into the texts of the job
// sheet in canonical order; fields beyond the pieces keep their start-up texts, and the
// first byte of a 22nd piece, if any, chooses the user's number format. Compute must give
// a ticket that keeps every rule of ticket_invariants.h, or a fault; nothing may escape.

#include <cstdint>
#include <string>
#include <string_view>

#include "compensation_engine.h"
#include "fuzz_support.h"
#include "ticket_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using asworn::fuzzing::Broken;
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  asworn::JobSheet sheet;
  asworn::NumberFormat format = asworn::fuzzing::kFormats[0];
  std::size_t piece = 0;
  std::string_view rest = input;
  while (true) {
    const std::size_t bar = rest.find('|');
    const std::string_view text = rest.substr(0, bar);
    if (piece < asworn::kFieldCount) {
      sheet[asworn::kJobSheetFields[piece].field] = std::string(text);
    } else {
      if (!text.empty())
        format = asworn::fuzzing::kFormats[static_cast<unsigned char>(text[0]) %
                                           asworn::fuzzing::kFormats.size()];
      break;
    }
    ++piece;
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }

  // Anything Compute throws escapes and libFuzzer reports it.
  const asworn::ComputeOutcome outcome = asworn::Compute(sheet, format);
  const std::string broken = asworn::testing_support::BrokenTicketRule(sheet, format, outcome);
  if (!broken.empty()) Broken(broken, input);
  return 0;
}
