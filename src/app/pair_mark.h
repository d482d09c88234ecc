// SPDX-License-Identifier: Apache-2.0
#pragma once
// The mark beside the prism rows of the "Work Ticket" page for a pair whose vertical prism
// imbalance as worn is outside tolerance: the same disc as an eye's mark, its reason in a
// tooltip and in the words a screen reader speaks.

#include <string>

#include "as_worn_check.h"

class QGroupBox;
class QLabel;

namespace asworn::app {

class Twips;

// The mark's place in the "Prism Compensation" box, right of the base directions, level with
// both rows, in twips.
inline constexpr int kPairMarkLeft = 1995;
inline constexpr int kPairMarkTop = 300;
inline constexpr int kPairMarkWidth = 165;
inline constexpr int kPairMarkHeight = 510;

// The reason the mark gives, "Pair outside ANSI Z80.1 as worn: vertical imbalance ...";
// empty when the pair is within tolerance or its imbalance was not traced.
std::string PairOutsideSentence(const optics::AsWornResult& check, const std::string& separator);

class PairMark {
 public:
  PairMark(const Twips& twips, QGroupBox* prismBox);
  // The label belongs to the box: one mark for it, never a copy.
  PairMark(const PairMark&) = delete;
  PairMark& operator=(const PairMark&) = delete;

  // Shown, with its reason, when the check's pair is outside; hidden otherwise.
  void Show(const optics::AsWornResult& check, const std::string& separator);
  void Clear();
  QLabel* label() const { return mark_; }

 private:
  QLabel* mark_;  // the box owns it
};

}  // namespace asworn::app
