// SPDX-License-Identifier: Apache-2.0
#include "work_ticket.h"

namespace asworn {

const std::array<LabelInfo, kLabelCount> kWorkTicketLabels{{
    {Label::firstname2, "firstname2", "", Field::firstname, "First name"},
    {Label::lastname2, "lastname2", "", Field::lastname, "Last name"},
    {Label::record2, "record2", "", Field::record, "Record number"},
    {Label::odsph2, "odsph2", "", Field::odsph, "Right sphere as prescribed"},
    {Label::odcyl2, "odcyl2", "", Field::odcyl, "Right cylinder as prescribed"},
    {Label::odaxis2, "odaxis2", "", Field::odaxis, "Right axis as prescribed"},
    {Label::ossph2, "ossph2", "", Field::ossph, "Left sphere as prescribed"},
    {Label::oscyl2, "oscyl2", "", Field::oscyl, "Left cylinder as prescribed"},
    {Label::osaxis2, "osaxis2", "", Field::osaxis, "Left axis as prescribed"},
    {Label::odbc2, "odbc2", "", Field::odbc, "Right lens base curve"},
    {Label::osbc2, "osbc2", "", Field::osbc, "Left lens base curve"},
    {Label::tilt2, "tilt2", "", Field::tilt, "Pantoscopic tilt"},
    {Label::wrap2, "wrap2", "", Field::wrap, "Face-form wrap"},
    {Label::odcsph, "odcsph", "", std::nullopt, "Right compensated sphere"},
    {Label::odccyl, "odccyl", "", std::nullopt, "Right compensated cylinder"},
    {Label::odcaxis, "odcaxis", "", std::nullopt, "Right compensated axis"},
    {Label::oscsph, "oscsph", "", std::nullopt, "Left compensated sphere"},
    {Label::osccyl, "osccyl", "", std::nullopt, "Left compensated cylinder"},
    {Label::oscaxis, "oscaxis", "", std::nullopt, "Left compensated axis"},
    {Label::odprism2, "odprism2", "", std::nullopt, "Right prism"},
    {Label::osprism2, "osprism2", "", std::nullopt, "Left prism"},
    {Label::odpb, "odpb", kBaseIn, std::nullopt, "Right prism base"},
    {Label::ospb, "ospb", kBaseIn, std::nullopt, "Left prism base"},
}};

const LabelInfo& InfoOf(Label l) {
  return kWorkTicketLabels[IndexOf(l)];
}

std::optional<Label> FindLabel(std::string_view name) {
  for (const LabelInfo& info : kWorkTicketLabels)
    if (info.name == name) return info.label;
  return std::nullopt;
}

WorkTicket::WorkTicket() {
  // Every Compute makes a ticket: only the two "Base In" labels start with a text.
  for (const LabelInfo& info : kWorkTicketLabels)
    if (!info.startText.empty()) texts_[IndexOf(info.label)] = info.startText;
}

}  // namespace asworn
