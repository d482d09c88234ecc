// SPDX-License-Identifier: Apache-2.0
#pragma once
// The work ticket: the 23 read-only labels of the "Work Ticket" tab.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "job_sheet.h"

namespace asworn {

// Ticket order; the first 21 are also the order in which Compute writes them.
enum class Label : std::size_t {
  firstname2,
  lastname2,
  record2,
  odsph2,
  odcyl2,
  odaxis2,
  ossph2,
  oscyl2,
  osaxis2,
  odbc2,
  osbc2,
  tilt2,
  wrap2,
  odcsph,
  odccyl,
  odcaxis,
  oscsph,
  osccyl,
  oscaxis,
  odprism2,
  osprism2,
  odpb,
  ospb,
};

inline constexpr std::size_t kLabelCount = 23;
inline constexpr std::size_t kWrittenLabelCount = 21;  // before the two base directions
inline constexpr std::string_view kBaseIn = "Base In";
inline constexpr std::string_view kBaseOut = "Base Out";

// The base a ticket writes for a horizontal prism, base in positive: below zero it is out.
constexpr std::string_view BaseDirection(double signedPrism) {
  return signedPrism < 0 ? kBaseOut : kBaseIn;
}

struct LabelInfo {
  Label label;
  std::string_view name;
  std::string_view startText;
  std::optional<Field> copyOf;  // set for the 13 labels that copy an entry text
  std::string_view spokenName;  // what a screen reader says before the text
};

extern const std::array<LabelInfo, kLabelCount> kWorkTicketLabels;

constexpr std::size_t IndexOf(Label l) {
  return static_cast<std::size_t>(l);
}
const LabelInfo& InfoOf(Label l);
std::optional<Label> FindLabel(std::string_view name);

class WorkTicket {
 public:
  // The start-up ticket: empty but for the two "Base In" labels.
  WorkTicket();

  const std::string& operator[](Label l) const { return texts_[IndexOf(l)]; }
  std::string& operator[](Label l) { return texts_[IndexOf(l)]; }

  const std::array<std::string, kLabelCount>& Texts() const { return texts_; }
  friend bool operator==(const WorkTicket&, const WorkTicket&) = default;

 private:
  std::array<std::string, kLabelCount> texts_;
};

}  // namespace asworn
