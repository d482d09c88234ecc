#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

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
        std::vector<std::string>{"print"}}) {
    const CliRun run = RunIn(args);
    EXPECT_EQ(run.status, kExitUsage) << (args.empty() ? "" : args.back());
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
  }
}

TEST(Cli, HelpExplainsTheOptions) {
  const CliRun run = RunIn({"ticket", "--help"});
  EXPECT_EQ(run.status, kExitOk);
  for (const char* option : {"--json", "--detail", "--set"})
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
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
