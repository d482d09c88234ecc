// SPDX-License-Identifier: Apache-2.0
// The ticket as ordered: which labels the exact order takes over, in which separator, and the
// words when it cannot be made.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ordered_ticket.h"

namespace asworn::ordering {
namespace {

TEST(OrderedTicket, ExactOrderLabelsSeparatorsAndRefusal) {
  struct Row {
    std::string name;
    optics::OrderChoice order;
    std::string separator;                 // the user's, for OrderTicket
    std::optional<std::string> rewritten;  // WriteTicket's separator afterwards
    std::optional<double> rightIndexRead;  // in place of the index Compute read
    std::map<Label, std::string> labels;
    std::string fault;
  };
  const std::vector<Row> rows{
      {"ticket formula: Compute's own ticket",
       optics::OrderChoice::ticketFormula,
       ",",
       std::nullopt,
       std::nullopt,
       {{Label::odcsph, "-3,37"},
        {Label::odcaxis, "34,2"},
        {Label::odprism2, "0,22"},
        {Label::odpb, "Base In"}},
       ""},
      {"exact order with its prism base out",
       optics::OrderChoice::exact,
       ",",
       std::nullopt,
       std::nullopt,
       {{Label::odcsph, "-3,73"},
        {Label::odccyl, "-0,51"},
        {Label::odcaxis, "10"},
        {Label::oscaxis, "170"},
        {Label::odprism2, "0,25"},
        {Label::odpb, "Base Out"},
        {Label::ospb, "Base Out"}},
       ""},
      {"exact order written again with a full stop",
       optics::OrderChoice::exact,
       ",",
       ".",
       std::nullopt,
       {{Label::odcsph, "-3.73"},
        {Label::odcaxis, "10"},
        {Label::odprism2, "0.25"},
        {Label::odpb, "Base Out"},
        {Label::tilt2, "15"}},
       ""},
      {"an eye that cannot be traced stops the exact order",
       optics::OrderChoice::exact,
       ".",
       std::nullopt,
       1.0,
       {},
       "The exact order cannot be made: the right lens cannot be traced as worn (the index must "
       "be above 1)."},
      {"but not the ticket formula's",
       optics::OrderChoice::ticketFormula,
       ".",
       std::nullopt,
       1.0,
       {{Label::odcsph, "-3.37"}, {Label::odpb, "Base In"}},
       ""},
  };
  JobSheet sheet;
  for (const auto& [field, text] : {std::pair{Field::odsph, "-4.00"},
                                    {Field::odcyl, "-1.00"},
                                    {Field::odaxis, "30"},
                                    {Field::ossph, "-4.00"},
                                    {Field::oscyl, "-1.00"},
                                    {Field::osaxis, "150"}})
    sheet[field] = text;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    JobSheet job = sheet;
    if (row.order == optics::OrderChoice::exact) job[Field::wrap] = "-15";
    const ComputeOutcome outcome = Compute(job, {row.separator, " "});
    ASSERT_TRUE(outcome);
    ComputedTicket computed = *outcome;
    if (row.rightIndexRead) computed.readings[IndexOf(Field::odn)] = row.rightIndexRead;
    OrderedTicket ordered =
        OrderTicket(computed, {row.order, optics::WearConvention::frame}, row.separator);
    EXPECT_EQ(ordered.fault, row.fault);
    EXPECT_EQ(ordered.ok(), row.fault.empty());
    if (!ordered.ok()) continue;
    if (row.rewritten) WriteTicket(ordered.ticket, job, computed, ordered.check, *row.rewritten);
    for (const auto& [label, text] : row.labels)
      EXPECT_EQ(ordered.ticket[label], text) << InfoOf(label).name;
  }
}

}  // namespace
}  // namespace asworn::ordering
