// SPDX-License-Identifier: Apache-2.0
#pragma once
// How the check reads for an optician: the same words on the command line and the ticket,
// with the decimal separator of the ticket's numbers.

#include <string>
#include <string_view>
#include <vector>

#include "ansi_verdict.h"
#include "as_worn_check.h"
#include "eye_fields.h"
#include "induced_prism.h"
#include "lens_order.h"
#include "power_matrix.h"

namespace asworn::ordering {

// "+6.00 -2.00 x 70.0": signed dioptres to 2 decimals, the axis to 1.
std::string RxText(const optics::SphCylAxis& rx, std::string_view decimalSeparator = ".");

// "within tolerance", or each part outside with its error and tolerance:
// "outside tolerance: axis off by 5.2° (±3°), sphere off by +0.21 D (±0.13 D)".
std::string VerdictText(const optics::AnsiResult& verdict, std::string_view decimalSeparator = ".");

// The parts outside tolerance, each as "axis off by 5.2° (±3°)"; empty when within.
std::vector<std::string> PartsOutside(const optics::AnsiResult& verdict,
                                      std::string_view decimalSeparator = ".");

// In words, so it cannot be taken for the prism to grind: "0.25 Δ base out, 0.03 Δ base
// down"; a part that rounds to 0.00 is left out, "no prism" when both do.
std::string PrismText(const optics::InducedPrism& prism, std::string_view decimalSeparator = ".");

// The convention in use, for headings: "frame convention: wrap within the front, then tilt".
std::string ConventionName(optics::WearConvention convention);

// Which lens the ticket orders: "ticket formula" or "exact order (ray trace)".
std::string OrderName(optics::OrderChoice order);
// The same, with the lab's step where the exact order is rounded to more than 0.01 D: "exact
// order (ray trace) in 0.25 D steps".
std::string OrderName(const optics::OrderSettings& settings, std::string_view decimalSeparator);

// Why a lens is outside tolerance, for a person or a screen reader: "axis off by 4.7°,
// tolerance 3°; sphere off by +0.21 D, tolerance 0.13 D". Empty when within.
std::string OutsideReason(const optics::AnsiResult& verdict,
                          std::string_view decimalSeparator = ".");

// The same for a lab management system's record: ASCII, parts joined by ", " ("axis off by
// 2.04 deg, tolerance 2 deg, sphere off by +0.21 D, tolerance 0.13 D").
std::string OutsideReasonAscii(const optics::AnsiResult& verdict);

// "Right lens outside ANSI Z80.1 as worn: axis off by 4.7°, tolerance 3°"; empty when within.
std::string OutsideSentence(Eye eye, const optics::AnsiResult& verdict,
                            std::string_view decimalSeparator = ".");

// "vertical imbalance 0.05 Δ, within 0.33 Δ" or "... OUTSIDE 0.33 Δ"; empty without it.
std::string VerticalImbalanceText(const optics::AsWornResult& result,
                                  std::string_view decimalSeparator = ".");

// The pair's vertical imbalance outside its limit, for a lab's record in ASCII: "vertical prism
// imbalance 0.59 prism dioptres, tolerance 0.33"; empty when within or not traced.
std::string ImbalanceOutsideAscii(const optics::AsWornResult& result);

// The prism the ticket grinds in against the induced horizontal prism: "0.24 Δ base in".
std::string CompensatingPrismText(double baseIn, std::string_view decimalSeparator = ".");

}  // namespace asworn::ordering
