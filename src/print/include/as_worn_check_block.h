// SPDX-License-Identifier: Apache-2.0
#pragma once
// The as-worn check on the printed ticket: real text below the window's image, so that it can
// be searched and read at any size.

#include <QString>
#include <string>
#include <vector>

#include "as_worn_check.h"
#include "print_work_ticket.h"

class QPainter;

namespace asworn {

inline constexpr char kAsWornCheckHeading[] = "As-worn check (exact ray trace)";

struct CheckLine {
  QString text;
  bool bold = false;
  bool indented = false;
};

// The heading; a ticket outside tolerance, by an eye or by the pair's vertical imbalance,
// says so next, in bold; then for each eye the lens as
// ordered, its power as worn, the required power, the verdict, the exact order and the prism
// the lens induces, in words. Numbers with the ticket's decimal separator.
std::vector<CheckLine> AsWornCheckLines(const optics::AsWornResult& result,
                                        const std::string& decimalSeparator = ".");

// The block as a part of the printed page, as wide as `widthInches`, a small gap above it.
PagePart AsWornCheckPart(const optics::AsWornResult& result, double widthInches,
                         const std::string& decimalSeparator = ".");

}  // namespace asworn
