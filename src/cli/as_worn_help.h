// SPDX-License-Identifier: Apache-2.0
#pragma once
// What --as-worn does, in the words of --help.

namespace asworn::cli {

inline constexpr char kAsWornHelp[] =
    "After each ticket, check each eye's order exactly as worn: the line of sight is traced "
    "through the real lens (spherical front from the base curve, the ticket's centre "
    "thickness, a back surface giving the ordered back vertex power) tilted and wrapped about "
    "its back vertex, and the power it gives at the fitted vertex distance is compared with "
    "the prescription moved there, by the ANSI Z80.1-2015 tolerances. Tilt and wrap follow the "
    "frame convention unless --convention says head (the lens wrapped within the frame "
    "front, then the front tilted on the face; axes TABO, counter-clockwise from the observer's "
    "right), and the check also gives "
    "the exact order and the prism the lens induces at the fitting point (with --json: "
    "\"asWorn\", prism base in and base up positive).";

}  // namespace asworn::cli
