// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compensation_engine.h"
#include "number_text.h"
#include "parse_number.h"
#include "sheet_builder.h"

namespace asworn {
namespace {

using testing_support::Sheet;

TEST(Compute, StartUpTicket) {
  const ComputeOutcome outcome = Compute(JobSheet());
  ASSERT_TRUE(outcome.Succeeded());
  const std::vector<std::string> expected{
      "First Name", "Last Name", "Rec #", "0.00", "0.00", "180",     "0.00",   "0.00",
      "180",        "8.00",      "8.00",  "15",   "15",   "0",       "0",      "89",
      "0",          "0",         "91",    "0.22", "0.22", "Base In", "Base In"};
  for (std::size_t i = 0; i < kLabelCount; ++i)
    EXPECT_EQ(outcome->ticket.Texts()[i], expected[i]) << kWorkTicketLabels[i].name;
}

TEST(Compute, CopiesShowTheTextsAsTyped) {
  const JobSheet sheet = Sheet({{Field::firstname, " Ann "},
                                {Field::lastname, ""},
                                {Field::odsph, "+1.25"},
                                {Field::tilt, "1 5"},
                                {Field::wrap, "15\xC2\xB0"},
                                {Field::osbc, "8.00 D"}});
  const ComputeOutcome outcome = Compute(sheet);
  ASSERT_TRUE(outcome.Succeeded());
  const WorkTicket& t = outcome->ticket;
  EXPECT_EQ(t[Label::firstname2], " Ann ");
  EXPECT_EQ(t[Label::lastname2], "");
  EXPECT_EQ(t[Label::odsph2], "+1.25");
  EXPECT_EQ(t[Label::tilt2], "1 5");
  EXPECT_EQ(t[Label::wrap2], "15\xC2\xB0");
  EXPECT_EQ(t[Label::osbc2], "8.00 D");
  EXPECT_EQ(t[Label::odpb], "Base In");
}

TEST(Compute, NegativeWrapGivesItsPrismSizeBaseOut) {
  const ComputeOutcome outcome = Compute(Sheet({{Field::wrap, "-15"}}));
  ASSERT_TRUE(outcome.Succeeded());
  EXPECT_EQ(outcome->ticket[Label::odprism2], "0.22");
  EXPECT_EQ(outcome->ticket[Label::osprism2], "0.22");
  EXPECT_EQ(outcome->ticket[Label::ospb], "Base Out");
  EXPECT_EQ(outcome->compensation.prism.os.rounded, -0.22);
}

TEST(Compute, UsesTheLocaleForTheIndexAndTheTicket) {
  // Where the comma is the decimal separator, "1.586" is still the index 1.586 (the prism
  // reads it so), never 1586 by grouping; the ticket shows decimal commas.
  const NumberFormat comma{",", "."};
  const ComputeOutcome dotted = Compute(Sheet({{Field::wrap, "-15"}}), comma);
  ASSERT_TRUE(dotted.Succeeded());
  EXPECT_EQ(dotted->compensation.factors.od.tfac,
            Compute(JobSheet())->compensation.factors.od.tfac);
  EXPECT_EQ(dotted->ticket[Label::odprism2], "0,22");
  // A text the two readings take differently is refused rather than computed twice over.
  for (const NumberFormat& format : {comma, NumberFormat{".", ","}}) {
    const ComputeOutcome refused = Compute(Sheet({{Field::osn, "1,586"}}), format);
    ASSERT_FALSE(refused.Succeeded());
    EXPECT_EQ(refused.error().kind, FaultKind::indexAmbiguous);
    EXPECT_EQ(refused.error().fields.front(), Field::osn);
  }
  // Whole numbers with a group separator read alike in both.
  EXPECT_TRUE(Compute(Sheet({{Field::odn, "2"}}), comma).Succeeded());
}

TEST(Compute, RunTwiceGivesTheSameTicket) {
  const JobSheet sheet = Sheet({{Field::odsph, "-4.00"}, {Field::odcyl, "-1.00"}});
  EXPECT_EQ(Compute(sheet)->ticket, Compute(sheet)->ticket);
}

struct FaultCase {
  const char* name;
  std::vector<std::pair<Field, std::string>> changes;
  FaultKind kind;
  Field field;                  // the field the fault names first
  const char* messageFragment;  // a piece of the optician's message

  friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class ComputeFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ComputeFaultTest, StopsWithoutATicketAndNamesTheCause) {
  const FaultCase& c = GetParam();
  JobSheet sheet;
  for (const auto& [field, text] : c.changes) sheet[field] = text;
  const ComputeOutcome outcome = Compute(sheet);
  ASSERT_FALSE(outcome.Succeeded());
  EXPECT_EQ(outcome.error().kind, c.kind) << outcome.error().message;
  ASSERT_FALSE(outcome.error().fields.empty());
  EXPECT_EQ(outcome.error().fields.front(), c.field) << outcome.error().message;
  EXPECT_NE(outcome.error().message.find(c.messageFragment), std::string::npos)
      << outcome.error().message;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ComputeFaultTest,
    ::testing::Values(
        FaultCase{"WrapLetters",
                  {{Field::wrap, "abc"}},
                  FaultKind::notANumber,
                  Field::wrap,
                  "face-form wrap \"abc\" holds no number"},
        FaultCase{"IndexNotANumber",
                  {{Field::odn, "1.586x"}},
                  FaultKind::indexNotNumber,
                  Field::odn,
                  "The right lens index \"1.586x\" is not a number"},
        FaultCase{"IndexWithUnit",
                  {{Field::osn, "1.586mm"}},
                  FaultKind::indexNotNumber,
                  Field::osn,
                  "left lens index \"1.586mm\""},
        FaultCase{"IndexEmpty",
                  {{Field::osn, ""}},
                  FaultKind::indexNotNumber,
                  Field::osn,
                  "The left lens index is empty"},
        FaultCase{"IndexZero",
                  {{Field::odn, "0"}},
                  FaultKind::outOfRange,
                  Field::odn,
                  "\"0\" is outside the range 1.40 to 2.00"},
        FaultCase{"IndexOne",
                  {{Field::osn, "1"}},
                  FaultKind::outOfRange,
                  Field::osn,
                  "\"1\" is outside the range 1.40 to 2.00"},
        FaultCase{"IndexCheckedBeforeAxis",
                  {{Field::odn, "x"}, {Field::odaxis, "270"}},
                  FaultKind::indexNotNumber,
                  Field::odn,
                  "right lens index"},
        FaultCase{"VertexDivisorExactlyZero",
                  {{Field::odsph, "+29.41176470588235"}, {Field::odrvd, "39"}, {Field::odfvd, "5"}},
                  FaultKind::vertexPastFocus,
                  Field::odsph,
                  "right sphere \"+29.41176470588235\""},
        FaultCase{"VertexMeridianExactlyZero",
                  {{Field::ossph, "+25"},
                   {Field::oscyl, "+25"},
                   {Field::osrvd, "30"},
                   {Field::osfvd, "10"}},
                  FaultKind::vertexPastFocus,
                  Field::ossph,
                  "left cylinder"},
        FaultCase{"HugeSphere",
                  {{Field::odsph, "1e400"}},
                  FaultKind::tooLarge,
                  Field::odsph,
                  "too large"},
        FaultCase{"HugeTilt",
                  {{Field::tilt, "1e308"}},
                  FaultKind::outOfRange,
                  Field::tilt,
                  "pantoscopic tilt \"1e308\" is outside the range -40 to +40 degrees"},
        FaultCase{"HugeSphereStopsBeforeTheMatrix",
                  {{Field::ossph, "1e307"}, {Field::osfvd, "13.0"}},
                  FaultKind::outOfRange,
                  Field::ossph,
                  "-30 to +30 D"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Compute, TheVertexDivisorIsExactlyZeroOnlyWithoutFusedMultiplyAdd) {
  // 0.034·29.41176470588235 rounds to exactly 1, so 1 - d·F is 0; a fused multiply-add
  // would keep the product's tail and divide by a tiny remainder instead.
  const double d = 34.0 / 1000;
  volatile double product = d * 29.41176470588235;
  EXPECT_EQ(1 - product, 0.0);
  const ComputeOutcome outcome = Compute(
      Sheet({{Field::odsph, "+29.41176470588235"}, {Field::odrvd, "39.0"}, {Field::odfvd, "5.0"}}));
  ASSERT_FALSE(outcome.Succeeded());
  EXPECT_EQ(outcome.error().kind, FaultKind::vertexPastFocus);
}

TEST(Compute, IndexOfOneStopsWhereTheIndexIsReadNotAtThePrism) {
  const ComputeOutcome outcome = Compute(Sheet({{Field::odn, "1"}}));
  ASSERT_FALSE(outcome.Succeeded());
  EXPECT_EQ(outcome.error().quantity, "right lens index");
}

}  // namespace
}  // namespace asworn
