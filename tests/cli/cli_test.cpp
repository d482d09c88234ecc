// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"

namespace asworn::cli {
namespace {

TEST(Cli, TicketOfTheDefaultJobSheetListsTheLabelsInTicketOrder) {
  const CliRun run = RunIn({"ticket"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "firstname2\tFirst Name\nlastname2\tLast Name\nrecord2\tRec #\nodsph2\t0.00\n"
            "odcyl2\t0.00\nodaxis2\t180\nossph2\t0.00\noscyl2\t0.00\nosaxis2\t180\n"
            "odbc2\t8.00\nosbc2\t8.00\ntilt2\t15\nwrap2\t15\nodcsph\t0\nodccyl\t0\n"
            "odcaxis\t89\noscsph\t0\nosccyl\t0\noscaxis\t91\nodprism2\t0.22\n"
            "osprism2\t0.22\nodpb\tBase In\nospb\tBase In\n");
}

TEST(Cli, SetReplacesFieldsAndJsonNamesTheLabels) {
  const CliRun run =
      RunIn({"ticket",      "--json",     "--set",       "odsph=-4.00", "--set",
             "odcyl=-1.00", "--set",      "ossph=-4.00", "--set",       "oscyl=-1.00",
             "--set",       "odfvd=10.0", "--set",       "osfvd=10.0",  "--set",
             "tilt=10",     "--set",      "wrap=5",      "--set",       "firstname=A=B"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("\"odcsph\":\"-3.87\",\"odccyl\":\"-0.85\",\"odcaxis\":\"4\""),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"oscaxis\":\"176\""), std::string::npos);
  EXPECT_NE(run.out.find("\"firstname2\":\"A=B\""), std::string::npos);
  EXPECT_EQ(run.out.back(), '\n');
}

TEST(Cli, DetailAddsTheIntermediateValues) {
  const CliRun run = RunIn({"ticket", "--detail"});
  ASSERT_EQ(run.status, kExitOk);
  for (const char* name : {"\ntiltrad\t", "\nefftilt\t", "\nodtfac\t", "\nosoutref\t", "\nodvsph\t",
                           "\nodm12\t8.94268625", "\nosdet\t", "\nodcyl_unrounded\t-1.78853725",
                           "\nossag\t", "\nosbcpow\t", "\nodprism_unrounded\t0.21901"})
    EXPECT_NE(run.out.find(name), std::string::npos) << name;
}

TEST(Cli, FaultGoesToStderrWithExitTwoAndNothingOnStdout) {
  const CliRun run = RunIn({"ticket", "--set", "wrap=abc"});
  EXPECT_EQ(run.status, kExitComputeFault);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("wrap"), std::string::npos);
}

TEST(Cli, UsageErrorsExitSixtyFour) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"ticket", "--set", "nosuchfield=1"},
        std::vector<std::string>{"ticket", "--set", "odsph"},
        std::vector<std::string>{"ticket", "--frobnicate"}, std::vector<std::string>{},
        std::vector<std::string>{"print"}, std::vector<std::string>{"dcs"},
        std::vector<std::string>{"dcs", "--folder", ".", "job.lds"},
        std::vector<std::string>{"dcs", "--folder", ".", "--stdout"},
        std::vector<std::string>{"dcs", "--refracted-vertex", "12,5", "job.lds"},
        std::vector<std::string>{"dcs", "--refracted-vertex", "-1", "job.lds"},
        std::vector<std::string>{"dcs", "--refracted-vertex", "3", "job.lds"},
        std::vector<std::string>{"dcs", "--folder", ".", "--watch", "."},
        std::vector<std::string>{"dcs", "--wait", "job.lds"},
        std::vector<std::string>{"dcs", "--order", "best", "job.lds"},
        std::vector<std::string>{"dcs", "--convention", "side", "job.lds"},
        std::vector<std::string>{"study", "--every", "0"},
        std::vector<std::string>{"study", "--convention", "side"}}) {
    const CliRun run = RunIn(args);
    EXPECT_EQ(run.status, kExitUsage) << (args.empty() ? "" : args.back());
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
  }
}

TEST(Cli, HelpAndVersionGoToStdoutWithExitZero) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> said;
  } rows[] = {
      {{"ticket", "--help"},
       {"--json", "--detail", "--set", "--as-worn", "frame convention", "--order", "--convention"}},
      // A sample of the study's grid: the exact order is within tolerance in every job, by
      // either reading, while the ticket formula's is not.
      {{"study", "--every", "4423", "--convention", "frame"},
       {"| frame | exact order | 101 | 0.0 % | 0.0 % | 0.0 % | 0.0 % |",
        "| frame | ticket formula | 101 | 34.7 % |"}},
      {{"study", "--every", "4423", "--convention", "head", "--threads", "3"},
       {"| head | exact order | 101 | 0.0 % | 0.0 % | 0.0 % | 0.0 % |"}},
      // The package carries the project's version: both must say the same number.
      {{"--version"}, {"asworn-cli " ASWORN_PROJECT_VERSION "\n", "License: Apache-2.0"}},
  };
  for (const auto& row : rows) {
    const CliRun run = RunIn(row.args);
    EXPECT_EQ(run.status, kExitOk) << row.args.back();
    EXPECT_EQ(run.err, "") << row.args.back();
    for (const std::string& text : row.said)
      EXPECT_NE(run.out.find(text), std::string::npos) << row.args.back() << ": " << text;
  }
}

// Sheets that make the reference lenses of the as-worn model (prescription at 13 mm, fitted at
// 10 mm); the exact order does not depend on the ticket's order, so it must match the
// published values. A 70.7107 mm blank gives the thick plus lens its 9 mm.
TEST(Cli, AsWornCheckGivesTheReferenceExactOrders) {
  struct Row {
    std::vector<std::string> sets;
    const char* eye;
    double sphere, cylinder, axis;
    bool withinAnsi;
    std::string text;  // what the optician reads for the first eye of the text form
    NumberFormat format = {};
  };
  const std::vector<std::string> minusToric{
      "odsph=-4", "odcyl=-1",   "odaxis=30", "odn=1.6", "odbc=4",   "odfvd=10", "ossph=-4",
      "oscyl=-1", "osaxis=150", "osn=1.6",   "osbc=4",  "osfvd=10", "tilt=15",  "wrap=15"};
  std::vector<std::string> typedMinus = minusToric;
  typedMinus[0] = "odsph=\u22124";
  typedMinus[1] = "odcyl=\u22121";
  const std::vector<Row> rows{
      {minusToric, "od", -3.30706766, -1.38740452, 37.422262, false,
       "Right eye (OD)\n  required:      -3.95 -0.97 x 30.0\n"
       "  ticket's lens: -3.33 -1.37 x 34.2, 1.50 mm thick\n"
       "  as worn:       -3.96 -0.99 x 24.9\n"
       "  ANSI Z80.1:    outside tolerance: axis off by 5.1\u00b0 (\u00b13\u00b0)\n"
       "  exact order:   -3.31 -1.39 x 37.4\n"
       "  induced prism: 0.13 \u0394 base out, 0.12 \u0394 base down\n"},
      {minusToric, "os", -3.30706766, -1.38740452, 142.577738, false, "Left eye (OS)\n"},
      // A comma format: the check's numbers as the ticket's, the JSON with full stops.
      {minusToric,
       "od",
       -3.30706766,
       -1.38740452,
       37.422262,
       false,
       "Right eye (OD)\n  required:      -3,95 -0,97 x 30,0\n"
       "  ticket's lens: -3,33 -1,37 x 34,2, 1,50 mm thick\n"
       "  as worn:       -3,96 -0,99 x 24,9\n"
       "  ANSI Z80.1:    outside tolerance: axis off by 5,1\u00b0 (\u00b13\u00b0)\n"
       "  exact order:   -3,31 -1,39 x 37,4\n"
       "  induced prism: 0,13 \u0394 base out, 0,12 \u0394 base down\n",
       {",", "."}},
      // Typed with the minus sign of a word processor: traced as Compute read it.
      {typedMinus, "od", -3.30706766, -1.38740452, 37.422262, false,
       "required:      -3.95 -0.97 x 30.0"},
      {{"odsph=6", "odcyl=-2", "odaxis=70", "odn=1.5", "odbc=12", "oddiam=70.71067811865476",
        "odfvd=10", "tilt=20", "wrap=25"},
       "od",
       5.26414134,
       -1.47211689,
       88.711198,
       false,
       "9.00 mm thick\n  as worn:       +5.25 -1.89 x 74.0\n  ANSI Z80.1:    outside tolerance: "
       "sphere off by -0.86 D"},
      {{"ossph=-8", "oscyl=-3", "osaxis=20", "osn=1.74", "osbc=1", "osfvd=10", "tilt=10", "wrap=5"},
       "os",
       -7.72296267,
       -2.42074256,
       18.618168,
       true,
       "exact order:   -7.72 -2.42 x 18.6"},
      // A thick plus lens beside a plano one, tilted: the pair's vertical prism imbalance.
      {{"odsph=8", "odcyl=-4", "odaxis=90", "tilt=20", "wrap=25"},
       "od",
       6.93635102,
       -3.67435586,
       104.022070,
       false,
       "Pair: vertical imbalance 1.87 \u0394, OUTSIDE 0.33 \u0394"},
      {{"odsph=-6", "odcyl=0", "odaxis=0", "odn=1.586", "odbc=3", "odfvd=10", "tilt=0", "wrap=20"},
       "od",
       -5.00417520,
       -0.66563625,
       0,
       true,
       "0.12 \u0394 base out\n"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> args{"ticket", "--as-worn"};
    for (const std::string& set : row.sets) args.insert(args.end(), {"--set", set});
    const CliRun text = RunIn(args, row.format);
    ASSERT_EQ(text.status, kExitOk) << text.err;
    EXPECT_NE(text.out.find("As-worn check (exact ray trace"), std::string::npos);
    EXPECT_NE(text.out.find(row.text), std::string::npos) << text.out << "\nlacks\n" << row.text;
    args.push_back("--json");
    const CliRun json = RunIn(args, row.format);
    ASSERT_EQ(json.status, kExitOk) << json.err;
    // JSON is for programs: a full stop whatever the user's format.
    const auto decimalComma = [&json](std::size_t at) {
      const std::string& t = json.out;
      return t[at] == ',' && at > 0 && at + 1 < t.size() &&
             std::isdigit(static_cast<unsigned char>(t[at - 1])) &&
             std::isdigit(static_cast<unsigned char>(t[at + 1]));
    };
    for (std::size_t at = 0; at < json.out.size(); ++at) EXPECT_FALSE(decimalComma(at)) << at;
    const nlohmann::json eye = nlohmann::json::parse(json.out)["asWorn"][row.eye];
    SCOPED_TRACE(json.out);
    EXPECT_NEAR(eye["exactOrder"]["sphere"].get<double>(), row.sphere, 1e-8);
    EXPECT_NEAR(eye["exactOrder"]["cylinder"].get<double>(), row.cylinder, 1e-8);
    const double axisOff = std::abs(eye["exactOrder"]["axis"].get<double>() - row.axis);
    EXPECT_LT(std::min(axisOff, 180 - axisOff), 1e-6);
    EXPECT_EQ(eye["withinAnsi"].get<bool>(), row.withinAnsi);
    for (const char* key : {"required", "ordered", "worn", "error", "prism", "thickness"})
      EXPECT_TRUE(eye.contains(key)) << key;
  }
}

// The installed binary itself: exit status and streams as a lab script sees them.
CliRun RunBinary(const std::string& arguments) {
  const std::string command = std::string(ASWORN_CLI_PATH) + " " + arguments + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  std::array<char, 4096> buffer{};
  while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get()))
    out.append(buffer.data(), n);
  const int status = pclose(pipe.release());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ""};
}

TEST(CliBinary, ExitStatusesAndOutput) {
  const CliRun ok = RunBinary("ticket --set odaxis=90");
  EXPECT_EQ(ok.status, 0);
  EXPECT_NE(ok.out.find("odaxis2\t90\n"), std::string::npos);
  const CliRun fault = RunBinary("ticket --set odn=1.586x");
  EXPECT_EQ(fault.status, 2);
  EXPECT_EQ(fault.out, "");
  EXPECT_EQ(RunBinary("ticket --set x").status, 64);
}

}  // namespace
}  // namespace asworn::cli
