// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dcs_answer.h"
#include "dcs_records.h"
#include "job_mapping.h"
#include "lab_defaults.h"

namespace asworn::exchange {
namespace {

// Records as "label=value|label=value"; a label alone had no '='.
std::string Listed(const std::vector<DcsRecord>& records) {
  std::string out;
  for (const DcsRecord& record : records)
    out += (out.empty() ? "" : "|") + record.label + (record.value ? "=" + *record.value : "");
  return out;
}

TEST(DcsSyntax, ReadingSplitsLinesAndKeepsEveryRecordAsItCame) {
  const struct {
    std::string bytes, records;
  } rows[] = {
      {"SPH=-0.50;0.50\r\nCYL=-1.25;-3.00\r\n", "SPH=-0.50;0.50|CYL=-1.25;-3.00"},
      {"A=1\rB=2\nC=3\r\nD=4", "A=1|B=2|C=3|D=4"},                  // bare CR, LF, CR LF, none
      {"A=1\r\n\r\n\n  \rB=2\r\r", "A=1|B=2"},                      // blank lines skipped
      {"_NOTE=x=y=z\r\n", "_NOTE=x=y=z"},                           // split at the first '=' only
      {"TEXT_11= ;\r\nNAME=  A B \r\n", "TEXT_11= ;|NAME=  A B "},  // blanks are data
      {"SPH=\r\nIPD=;33\r\n", "SPH=|IPD=;33"},                      // empty values stay empty
      {"\x1cREQ=LDS\r\n\x1d\x04", "REQ=LDS"},                       // serial framing bytes ignored
      {"\xEF\xBB\xBFREQ=LDS\n", "REQ=LDS"},                         // a byte order mark ignored
      {"GARBAGE\r\nsph=1\r\n", "GARBAGE|sph=1"},                    // no '=', lower case: carried
      {"", ""},
  };
  for (const auto& row : rows) {
    const std::vector<DcsRecord> records = ReadDcs(row.bytes);
    EXPECT_EQ(Listed(records), row.records) << row.bytes;
    // Written back, every record reads the same again, CR LF after each.
    EXPECT_EQ(ReadDcs(WriteDcs(records)), records) << row.bytes;
  }
  EXPECT_EQ(WriteDcs({{"A", "1"}, {"B", std::nullopt}}), "A=1\r\nB\r\n");
}

TEST(DcsSyntax, LabelsMatchExactlyAndTheFirstOfDuplicatesWins) {
  const std::vector<DcsRecord> job =
      ReadDcs("LDDRSPH=1\nINSSPH=2\n_SPH=3\nSPHX=4\nsph=5\nSPH=6\nSPH=7\n CYL = 8\n");
  const struct {
    std::string label, value;
  } rows[] = {{"SPH", "6"}, {"LDDRSPH", "1"}, {"INSSPH", "2"}, {"_SPH", "3"}, {"CYL", " 8"}};
  for (const auto& row : rows) {
    ASSERT_NE(FindRecord(job, row.label), nullptr) << row.label;
    EXPECT_EQ(FindRecord(job, row.label)->value, row.value) << row.label;
  }
  for (const char* absent : {"SP", "PH", "AX", "SPH=6"})
    EXPECT_EQ(FindRecord(job, absent), nullptr) << absent;
}

TEST(DcsSyntax, EyeValuesAndNumbers) {
  using K = DcsNumber::Kind;
  const struct {
    std::string value;
    K right;
    double rightValue;
    K left;
    std::string leftText;
  } rows[] = {
      {"-0.50;0.50", K::number, -0.5, K::number, "0.50"},
      {"10", K::number, 10, K::number, "10"},  // one value for both eyes
      {"+1.25;+.75", K::number, 1.25, K::number, "0.75"},
      {"-.5;1.", K::number, -0.5, K::number, "1"},
      {" 6.00 ; 7 ", K::number, 6, K::number, "7"},
      {";33", K::unknown, 0, K::number, "33"},
      {"33;", K::number, 33, K::unknown, ""},
      {"?;-999", K::unknown, 0, K::unknown, ""},
      {"-999.0;-999.5", K::unknown, 0, K::number, "-999.5"},
      {"1,50;1e2", K::malformed, 0, K::malformed, "1e2"},
      {"inf;nan", K::malformed, 0, K::malformed, "nan"},
      {"0x10;--1", K::malformed, 0, K::malformed, "--1"},
      {"1.2.3;.", K::malformed, 0, K::malformed, "."},
      {"13mm;+", K::malformed, 0, K::malformed, "+"},
  };
  for (const auto& row : rows) {
    const DcsNumber right = ReadDcsNumber(EyeValue(row.value, Eye::right));
    const DcsNumber left = ReadDcsNumber(EyeValue(row.value, Eye::left));
    EXPECT_EQ(right.kind, row.right) << row.value;
    if (row.right == K::number) {
      EXPECT_EQ(right.value, row.rightValue) << row.value;
    }
    EXPECT_EQ(left.kind, row.left) << row.value;
    if (row.left != K::unknown) {
      EXPECT_EQ(left.text, row.leftText) << row.value;
    }
  }
}

TEST(DcsSyntax, ResultLabelsAreOnlyTheOnesThisProgramWrites) {
  for (const char* label : {"LDDRSPH", "INSAX", "LDPRVA", "INSPRPRVM", "STATUS", "XSTATUS",
                            "_AWANSI", "_AWORDER", "_AWNEAR", "_AWDEFAULT", " STATUS "})
    EXPECT_TRUE(IsResultLabel(label)) << label;
  for (const char* label : {"SPH", "AX", "PRVA", "LDNRSPH", "LDADD", "INSADD", "_REFBVD",
                            "_PATFNAME", "REQ", "KPRVA", "_A", "STATUSX", "_AWESOME"})
    EXPECT_FALSE(IsResultLabel(label)) << label;
}

// The job sheet a job becomes: fields not listed keep their start-up texts.
TEST(DcsMapping, JobToJobSheet) {
  const std::string base =
      "JOB=007\nSPH=-1.00;+2.00\nCYL=-0.50;0.75\nAX=90;0\nLIND=1.6\nFRNT=6.00;4.00\n"
      "CRIB=60;0\nDIA=75;70\nBVD=12;14\nPANTO=8\nZTILT=5;5\n";
  const struct {
    std::string extra;
    std::optional<double> refracted;
    std::vector<std::pair<Field, std::string>> fields;
  } rows[] = {
      {"",
       std::nullopt,
       {{Field::record, "007"},
        {Field::firstname, ""},
        {Field::odsph, "-1.00"},
        {Field::ossph, "2.00"},
        {Field::oscyl, "0.75"},
        {Field::osaxis, "0"},
        {Field::odn, "1.6"},
        {Field::osn, "1.6"},
        {Field::odbc, "6.00"},
        {Field::osbc, "4.00"},
        {Field::oddiam, "60"},
        {Field::osdiam, "70"},
        {Field::odfvd, "12"},
        {Field::odrvd, "12"},
        {Field::osrvd, "14"},
        {Field::tilt, "8"},
        {Field::wrap, "5"}}},
      {"_REFBVD=13.5;14.5\n_PATFNAME=Ann\n_PATLNAME=Lee\n",
       12.0,
       {{Field::odrvd, "13.5"},
        {Field::osrvd, "14.5"},
        {Field::firstname, "Ann"},
        {Field::lastname, "Lee"}}},
      {"", 11.5, {{Field::odrvd, "11.5"}, {Field::osrvd, "11.5"}}},
      {"TIND=1.523;1.60\n",
       std::nullopt,
       {{Field::odbc, "6.080305927342257"}, {Field::osbc, "3.5333333333333328"}}},
      {"FRNT=-999.0;85.68\nMBASE=5;3\n", std::nullopt, {{Field::odbc, "5"}, {Field::osbc, "3"}}},
      {"DO=L\n",
       std::nullopt,
       {{Field::odsph, "0.00"}, {Field::odn, "1.586"}, {Field::osn, "1.6"}}},
      // No cylinder given: written as 0, with the axis 180 a spherical lens is made to.
      {"CYL=?;\nAX=;\n",
       std::nullopt,
       {{Field::odcyl, "0"}, {Field::odaxis, "180"}, {Field::oscyl, "0"}, {Field::osaxis, "180"}}},
      {" DO = L\nJOB = 42\n", std::nullopt, {{Field::record, "42"}, {Field::odsph, "0.00"}}},
  };
  for (const auto& row : rows) {
    // The first of duplicate labels counts, so the row's labels go in front.
    const JobMapping mapping = MapJob(ReadDcs(row.extra + base), row.refracted);
    ASSERT_TRUE(mapping.job) << row.extra << mapping.problems.front().text;
    for (const auto& [field, text] : row.fields)
      EXPECT_EQ(mapping.job->sheet[field], text) << row.extra << InfoOf(field).name;
  }
}

// A lab's house values: what a defaults file may hold, and which labels a job lacks.
TEST(DcsMapping, LabDefaults) {
  const struct {
    std::string file, error;
  } files[] = {
      {"PANTO=8\r\nBVD = 13;13.5\r\n\r\n_REFBVD=12\nZTILT=-2", ""},
      {"", ""},
      {"PANTO=8\nPANTO=9\n", "PANTO is given twice"},
      {"CYL=-0.50\n", "\"CYL\" cannot be a default; only PANTO, ZTILT, BVD and _REFBVD can"},
      {"BVDX=13\n", "\"BVDX\" cannot be a default; only PANTO, ZTILT, BVD and _REFBVD can"},
      {"BVD=13;\n", "BVD=13; is not a number for each eye"},
      {"ZTILT=?\n", "ZTILT=? is not a number for each eye"},
      {"PANTO=8mm\n", "PANTO=8mm is not a number for each eye"},
      {"PANTO\n", "PANTO= is not a number for each eye"},
  };
  for (const auto& row : files) EXPECT_EQ(ReadLabDefaults(row.file).error, row.error) << row.file;

  const std::vector<DcsRecord> defaults =
      *ReadLabDefaults("PANTO=8\nBVD=13\nZTILT=0\n_REFBVD=12\n").records;
  const struct {
    std::string job, used;
  } jobs[] = {
      {"PANTO=?\nBVD=12;\nZTILT=;5\n", "PANTO,_REFBVD"},  // one eye known is not lacking
      {"PANTO=\nBVD=-999\nZTILT\n_REFBVD=11\n", "PANTO,BVD,ZTILT"},
      {"PANTO=x\nBVD=12\nZTILT=1\n_REFBVD=11\n", ""},  // unreadable: refused, not replaced
  };
  for (const auto& row : jobs) {
    std::vector<std::string> used;
    WithLabDefaults(ReadDcs(row.job), defaults, used);
    std::string listed;
    for (const std::string& label : used) listed += (listed.empty() ? "" : ",") + label;
    EXPECT_EQ(listed, row.used) << row.job;
  }
}

// The exact as-worn check's labels, and the exact order as the lens to make when asked for;
// after STATUS=0, a warning for each lens of the job and for the pair outside tolerance.
TEST(DcsAnswer, AsWornCheckLabels) {
  const std::string job =
      "SPH=-1.00;-2.00\nLIND=1.586\nFRNT=8\nCRIB=70\nBVD=13\nPANTO=15\nZTILT=15\n";
  const std::string leftOutside = "axis off by 7.52 deg, tolerance 7 deg";
  const std::string pairOutside = "vertical prism imbalance 0.59 prism dioptres, tolerance 0.33";
  // One Compute gives the lens and its check together; each eye keeps its own.
  const LensMaker lens = [&](const JobSheet& sheet, const optics::OrderSettings& settings) {
    LensResult result;
    if (sheet[Field::ossph] != "-2.00") return result;
    const bool exact = settings.order == optics::OrderChoice::exact;
    result.right =
        exact ? CompensatedEye{-0.95, -0.12, 90, 0.24} : CompensatedEye{-0.84, -0.19, 88, 0.22};
    result.left =
        exact ? CompensatedEye{-1.93, -0.14, 90, 0.24} : CompensatedEye{-1.67, -0.2, 180, 0.22};
    result.check = {
        AsWornLabels{-0.95, -0.12, 90, true, -1.004, 0.001, 179.5, ""},
        AsWornLabels{-1.93, -0.14, 90, exact, -2.0, -0.02, 0.2, exact ? "" : leftOutside},
        exact ? "" : pairOutside, ""};
    return result;
  };
  const std::string leftWarning =
      "XSTATUS=L;1020;Outside ANSI Z80.1 as worn: " + leftOutside + ";W";
  const std::string pairWarning =
      "XSTATUS=B;1021;Outside ANSI Z80.1 as worn: " + pairOutside + ";W";
  const struct {
    std::string extra;
    bool exact;
    std::vector<std::string> records;
    std::vector<std::string> warnings;  // after STATUS=0, in this order
  } rows[] = {
      {"",
       false,
       {"LDDRSPH=-0.84;-1.67", "_AWORDER=TICKET", "_AWEXACTSPH=-0.95;-1.93",
        "_AWEXACTCYL=-0.12;-0.14", "_AWEXACTAX=90;90", "_AWANSI=IN;OUT", "_AWWORNSPH=-1.00;-2.00",
        "_AWWORNCYL=0.00;-0.02", "_AWWORNAX=180;0", "LDDRAX=88;180", "INSAX=88.00;180.00"},
       {leftWarning, pairWarning}},
      {"",
       true,
       {"_AWORDER=EXACT", "LDDRSPH=-0.95;-1.93", "INSCYL=-0.12;-0.14", "LDDRAX=90;90",
        "INSAX=90.00;90.00", "LDPRVM=0.24;0.24", "_AWANSI=IN;IN"},
       {}},
      // One eye: its own warning only, and no pair to judge.
      {"DO=L\n", false, {"_AWANSI=;OUT", "_AWEXACTAX=;90", "LDDRSPH=;-1.67"}, {leftWarning}},
  };
  for (const auto& row : rows) {
    AnswerOptions options{std::nullopt, {}, lens};
    if (row.exact) options.order.order = optics::OrderChoice::exact;
    const DcsAnswer answer = AnswerJob(ReadDcs(row.extra + job), options);
    ASSERT_FALSE(answer.refused) << WriteDcs(answer.records);
    const std::string text = WriteDcs(answer.records);
    for (const std::string& record : row.records)
      EXPECT_NE(text.find("\n" + record + "\r\n"), std::string::npos) << record << "\n" << text;
    std::string tail = "\nSTATUS=0\r\n";
    for (const std::string& warning : row.warnings) tail += warning + "\r\n";
    EXPECT_TRUE(text.ends_with(tail)) << text;
  }
  // A check that fails or gives no number refuses the job; so does a lens without a check.
  const AsWornLabels unusable{NAN, -0.1, 90, true, -1, 0, 180, ""};
  const CompensatedEye some{-1, 0, 180, 0.2};
  for (const LensMaker& maker :
       std::vector<LensMaker>{[&](auto&&...) {
                                return LensResult{some, some, {}, {{}, {}, "", "no convergence"}};
                              },
                              [&](auto&&...) {
                                return LensResult{some, some, {}, {unusable, unusable, "", ""}};
                              },
                              [&](auto&&...) {
                                return LensResult{some, some, {}, {}};
                              },
                              [](auto&&...) { return LensResult{}; }}) {
    const DcsAnswer answer = AnswerJob(ReadDcs(job), {std::nullopt, {}, maker});
    EXPECT_TRUE(answer.refused);
    EXPECT_EQ(FindRecord(answer.records, "LDDRSPH"), nullptr);
  }
}

}  // namespace
}  // namespace asworn::exchange
