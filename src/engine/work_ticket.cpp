#include "work_ticket.h"

namespace asworn {

const std::array<LabelInfo, kLabelCount> kWorkTicketLabels{{
    {Label::firstname2, "firstname2", "", Field::firstname},
    {Label::lastname2, "lastname2", "", Field::lastname},
    {Label::record2, "record2", "", Field::record},
    {Label::odsph2, "odsph2", "", Field::odsph},
    {Label::odcyl2, "odcyl2", "", Field::odcyl},
    {Label::odaxis2, "odaxis2", "", Field::odaxis},
    {Label::ossph2, "ossph2", "", Field::ossph},
    {Label::oscyl2, "oscyl2", "", Field::oscyl},
    {Label::osaxis2, "osaxis2", "", Field::osaxis},
    {Label::odbc2, "odbc2", "", Field::odbc},
    {Label::osbc2, "osbc2", "", Field::osbc},
    {Label::tilt2, "tilt2", "", Field::tilt},
    {Label::wrap2, "wrap2", "", Field::wrap},
    {Label::odcsph, "odcsph", "", std::nullopt},
    {Label::odccyl, "odccyl", "", std::nullopt},
    {Label::odcaxis, "odcaxis", "", std::nullopt},
    {Label::oscsph, "oscsph", "", std::nullopt},
    {Label::osccyl, "osccyl", "", std::nullopt},
    {Label::oscaxis, "oscaxis", "", std::nullopt},
    {Label::odprism2, "odprism2", "", std::nullopt},
    {Label::osprism2, "osprism2", "", std::nullopt},
    {Label::odpb, "odpb", kBaseIn, std::nullopt},
    {Label::ospb, "ospb", kBaseIn, std::nullopt},
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
  for (const LabelInfo& info : kWorkTicketLabels) texts_[IndexOf(info.label)] = info.startText;
}

}  // namespace asworn
