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
  const ComputeOutcome refused = Compute(Sheet({{Field::osn, "1,586"}}), NumberFormat{".", ","});
  ASSERT_FALSE(refused.Succeeded());
  EXPECT_EQ(refused.error().kind, FaultKind::indexAmbiguous);
  EXPECT_EQ(refused.error().fields.front(), Field::osn);
  // Where the comma is the decimal separator, the optician's own way of writing every entry
  // gives the ticket of the same entries written with full stops: the index for the tilt
  // factors and the prism alike, a typographic minus in front.
  const JobSheet commas = Sheet({{Field::odsph,
                                  "\xE2\x88\x92"
                                  "6,00"},
                                 {Field::odcyl, "-1,25"},
                                 {Field::odn, "1,6"},
                                 {Field::osbc, "6,5"},
                                 {Field::odfvd, "11,5"},
                                 {Field::tilt, "9,5"}});
  const JobSheet stops = Sheet({{Field::odsph, "-6.00"},
                                {Field::odcyl, "-1.25"},
                                {Field::odn, "1.6"},
                                {Field::osbc, "6.5"},
                                {Field::odfvd, "11.5"},
                                {Field::tilt, "9.5"}});
  const ComputeOutcome read = Compute(commas, comma);
  ASSERT_TRUE(read.Succeeded()) << read.error().message;
  EXPECT_EQ(read->readings, Compute(stops, comma)->readings);
  EXPECT_EQ(read->ticket[Label::odcsph], Compute(stops, comma)->ticket[Label::odcsph]);
  EXPECT_EQ(read->compensation.prism.od.prism, Compute(stops)->compensation.prism.od.prism);
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
  NumberFormat format{};        // the user's

  friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class ComputeFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ComputeFaultTest, StopsWithoutATicketAndNamesTheCause) {
  const FaultCase& c = GetParam();
  JobSheet sheet;
  for (const auto& [field, text] : c.changes) sheet[field] = text;
  const ComputeOutcome outcome = Compute(sheet, c.format);
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
                  "The wrap \"abc\" holds no number"},
        FaultCase{"IndexNotANumber",
                  {{Field::odn, "1.586x"}},
                  FaultKind::indexNotNumber,
                  Field::odn,
                  "The right index \"1.586x\" is not a number"},
        FaultCase{"IndexWithUnit",
                  {{Field::osn, "1.586mm"}},
                  FaultKind::indexNotNumber,
                  Field::osn,
                  "left index \"1.586mm\""},
        FaultCase{"IndexEmpty",
                  {{Field::osn, ""}},
                  FaultKind::indexNotNumber,
                  Field::osn,
                  "The left index is empty"},
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
        FaultCase{"AxisNamedBeforeIndex",
                  {{Field::odn, "x"}, {Field::odaxis, "270"}},
                  FaultKind::outOfRange,
                  Field::odaxis,
                  "right index"},
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
                  "The tilt \"1e308\" is outside the range -40 to +40 degrees"},
        // Every entry that cannot be used, in one message in job-sheet order, whatever
        // order the optics would read them in; the first named is the one brought forward.
        FaultCase{"EveryUnreadableEntryInOneMessage",
                  {{Field::wrap, "x"}, {Field::odsph, "-4,25"}, {Field::osdiam, ""}},
                  FaultKind::decimalComma,
                  Field::odsph,
                  "3 entries need correcting. The right sphere \"-4,25\" has a decimal comma. "
                  "Write decimals with a full stop: \"-4.25\". The left MBS is empty. Every "
                  "prescription, lens and fitting entry must be filled in. The wrap \"x\" "
                  "holds no number"},
        FaultCase{"UnreadableIndexAndRangeInOneMessage",
                  {{Field::tilt, "50"}, {Field::osn, "1.6x"}},
                  FaultKind::indexNotNumber,
                  Field::osn,
                  "2 entries need correcting. The left index \"1.6x\" is not a number. Enter "
                  "the refractive index of the lens material, such as 1.586. The tilt \"50\" "
                  "is outside"},
        // Where the comma is the decimal separator: one comma reads, anything else that
        // could hold a group separator is refused, never guessed.
        FaultCase{"CommaFormatGroupedNumber",
                  {{Field::odsph, "1.000,50"}},
                  FaultKind::separatorsMixed,
                  Field::odsph,
                  "The right sphere \"1.000,50\" holds a comma beside a full stop",
                  {",", "."}},
        FaultCase{"CommaFormatCommaAndStop",
                  {{Field::odaxis, "1,5.2"}},
                  FaultKind::separatorsMixed,
                  Field::odaxis,
                  "right axis \"1,5.2\"",
                  {",", "."}},
        FaultCase{"CommaFormatTwoCommas",
                  {{Field::osn, "1,000,5"}},
                  FaultKind::separatorsMixed,
                  Field::osn,
                  "left index \"1,000,5\"",
                  {",", "."}},
        FaultCase{"CommaFormatCommaStillChecked",
                  {{Field::odfvd, "13,5mm5"}},
                  FaultKind::cutShort,
                  Field::odfvd,
                  "can be read only in part, as 13,5.",
                  {",", "."}},
        // Under a full-stop format a comma is never read: "−6,00" stays refused.
        FaultCase{"FullStopFormatMinusSignAndComma",
                  {{Field::ossph,
                    "\xE2\x88\x92"
                    "6,00"}},
                  FaultKind::decimalComma,
                  Field::ossph,
                  "has a decimal comma"},
        FaultCase{"FullStopFormatGroupedNumber",
                  {{Field::odrvd, "1,000.5"}},
                  FaultKind::separatorsMixed,
                  Field::odrvd,
                  "right refracted vertex \"1,000.5\""},
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
