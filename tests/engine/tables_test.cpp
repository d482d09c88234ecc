// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "job_sheet.h"
#include "work_ticket.h"

namespace asworn {
namespace {

TEST(JobSheetTable, HoldsTheTwentyOneFieldsInCanonicalOrderWithTheirDefaults) {
  const std::vector<std::pair<std::string, std::string>> expected{{"firstname", "First Name"},
                                                                  {"lastname", "Last Name"},
                                                                  {"record", "Rec #"},
                                                                  {"odsph", "0.00"},
                                                                  {"odcyl", "0.00"},
                                                                  {"odaxis", "180"},
                                                                  {"ossph", "0.00"},
                                                                  {"oscyl", "0.00"},
                                                                  {"osaxis", "180"},
                                                                  {"odbc", "8.00"},
                                                                  {"odn", "1.586"},
                                                                  {"oddiam", "70"},
                                                                  {"osbc", "8.00"},
                                                                  {"osn", "1.586"},
                                                                  {"osdiam", "70"},
                                                                  {"odrvd", "13.0"},
                                                                  {"odfvd", "13.0"},
                                                                  {"osrvd", "13.0"},
                                                                  {"osfvd", "13.0"},
                                                                  {"tilt", "15"},
                                                                  {"wrap", "15"}};
  ASSERT_EQ(kJobSheetFields.size(), expected.size());
  const JobSheet sheet;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(kJobSheetFields[i].name, expected[i].first);
    EXPECT_EQ(IndexOf(kJobSheetFields[i].field), i);
    EXPECT_EQ(sheet.Texts()[i], expected[i].second);
    EXPECT_EQ(FindField(expected[i].first), kJobSheetFields[i].field);
  }
  EXPECT_EQ(FindField("Odsph"), std::nullopt);
}

TEST(WorkTicketTable, StartsEmptyButForBaseInAndCopiesThirteenFields) {
  const WorkTicket ticket;
  std::set<std::string> names;
  std::set<std::string> spokenNames;  // a screen reader must tell every label apart
  int copies = 0;
  for (const LabelInfo& info : kWorkTicketLabels) {
    names.insert(std::string(info.name));
    spokenNames.insert(std::string(info.spokenName));
    EXPECT_EQ(FindLabel(info.name), info.label);
    const bool baseIn = info.label == Label::odpb || info.label == Label::ospb;
    EXPECT_EQ(ticket[info.label], baseIn ? "Base In" : "") << info.name;
    if (info.copyOf) {
      ++copies;
      EXPECT_EQ(std::string(info.name), std::string(InfoOf(*info.copyOf).name) + "2");
      // A copy is read as the field it copies, not as another eye's or quantity's.
      EXPECT_EQ(info.spokenName.rfind(InfoOf(*info.copyOf).spokenName, 0), 0u) << info.name;
    }
  }
  EXPECT_EQ(names.size(), 23u);
  EXPECT_EQ(spokenNames.size(), 23u);
  EXPECT_EQ(copies, 13);
  EXPECT_EQ(IndexOf(Label::osprism2) + 1, kWrittenLabelCount);
}

}  // namespace
}  // namespace asworn
