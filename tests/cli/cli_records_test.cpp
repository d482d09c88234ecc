// SPDX-License-Identifier: Apache-2.0
// asworn-cli with patient files: tickets of files and save.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"

namespace asworn::cli {
namespace {

CliRun Cli(const std::vector<std::string>& args) {
  return RunIn(args);
}

std::string Bytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
  return file.readAll().toStdString();
}

void Write(const std::string& path, const std::string& bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class CliRecords : public ::testing::Test {
 protected:
  std::string Folder() const { return dir_.path().toStdString(); }
  std::string PathOf(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
  }

  // Saves a patient through the command line and returns the path it printed.
  std::string Save(std::vector<std::string> sets) {
    std::vector<std::string> args{"save", "--folder", Folder()};
    for (const std::string& set : sets) args.insert(args.end(), {"--set", set});
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_FALSE(run.out.empty());
    return run.out.substr(0, run.out.size() - 1);
  }

  QTemporaryDir dir_;
};

TEST_F(CliRecords, SaveWritesTheExactBytesAndPrintsThePath) {
  const CliRun run = Cli({"save", "--folder", Folder()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, PathOf("Last Name-First Name.txt") + "\n");
  EXPECT_EQ(Bytes(PathOf("Last Name-First Name.txt")),
            "First Name,Last Name,Rec #,0.00,0.00,180,0.00,0.00,180,8.00,1.586,70,8.00,1.586,70,"
            "13.0,13.0,13.0,13.0,15,15,\r\n");

  const std::string path = Save({"lastname=Müller", "firstname=Łukasz", "odsph=-4.00"});
  EXPECT_EQ(path, PathOf("Müller-Łukasz.txt"));
  EXPECT_EQ(Bytes(path).rfind("Łukasz,Müller,Rec #,-4.00,0.00,180,", 0), 0u);  // in UTF-8
}

// The program itself, here under a file size limit of 512 bytes, which must fail the write
// (exit 73) rather than kill the program; stderr is not kept, it is a file too.
int StatusUnderFileSizeLimit(const std::vector<std::string>& args) {
  std::string command = "ulimit -f 1; exec " + std::string(ASWORN_CLI_PATH);
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(CliRecords, SaveRefusalsAndFailuresKeepTheEarlierFile) {
  const std::string earlier = Save({"lastname=Doe", "firstname=Jane"});
  const std::string before = Bytes(earlier);
  const std::string otherPatient = Save({"lastname=Smith-Jones", "firstname=Ann"});
  const std::string otherBefore = Bytes(otherPatient);
  const std::string plainFile = PathOf("plain");
  Write(plainFile, "x");
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* errPart;  // nullptr: the program run under a file size limit
  };
  const std::string doeJane[] = {"save",         "--folder", Folder(),        "--set",
                                 "lastname=Doe", "--set",    "firstname=Jane"};
  const auto asDoeJane = [&](std::vector<std::string> more) {
    std::vector<std::string> args(std::begin(doeJane), std::end(doeJane));
    for (std::string& arg : more) args.insert(args.end(), {"--set", std::move(arg)});
    return args;
  };
  const Case cases[] = {
      {{"save", "--folder", Folder(), "--set", "lastname=Doe", "--set", "firstname=Jane", "--set",
        "record=1,2"},
       kExitSaveRefused,
       "Record #"},
      {{"save", "--folder", Folder(), "--set", "lastname=../Doe", "--set", "firstname=Jane"},
       kExitSaveRefused,
       "\"/\""},
      {{"save", "--folder", plainFile + "/sub"}, kExitCannotWrite, "could not be created"},
      {{"save", "--folder", Folder(), "--set", "nosuch=1"}, kExitUsage, "unknown field"},
      {{"save", "--set", "lastname=Doe"}, kExitUsage, "--folder"},
      {asDoeJane({"lastname="}), kExitSaveRefused, "the last name is empty"},
      {asDoeJane({"firstname=.Jane"}), kExitSaveRefused, "begins with a full stop"},
      {asDoeJane({"record=12\t34"}), kExitSaveRefused, "Record # holds a line break"},
      {asDoeJane({"record=" + std::string(70000, '7')}), kExitSaveRefused, "loaded back"},
      {asDoeJane({"lastname=Smith", "firstname=Jones-Ann"}), kExitSaveRefused,
       "another patient, first name \"Ann\" and last name \"Smith-Jones\""},
      {asDoeJane({"record=" + std::string(2000, '7')}), kExitCannotWrite, nullptr},
  };
  for (const Case& c : cases) {
    if (!c.errPart) {
      EXPECT_EQ(StatusUnderFileSizeLimit(c.args), c.status);
      continue;
    }
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.errPart), std::string::npos) << run.err;
  }
  EXPECT_EQ(Bytes(otherPatient), otherBefore);
  EXPECT_EQ(Bytes(earlier), before);
  EXPECT_EQ(Bytes(plainFile), "x");
}

TEST_F(CliRecords, TicketOfAPatientFileUsesItsFieldsThenTheSets) {
  const std::string path = Save({"lastname=Doe", "firstname=Jane", "odaxis=90", "tilt=10"});
  const CliRun run = Cli({"ticket", path, "--set", "wrap=5"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out.rfind("file\t" + path + "\nfirstname2\tJane\nlastname2\tDoe\n", 0), 0u)
      << run.out;
  EXPECT_NE(run.out.find("\nodaxis2\t90\n"), std::string::npos);
  EXPECT_NE(run.out.find("\ntilt2\t10\nwrap2\t5\n"), std::string::npos);
  // The same as computing the same texts without a file.
  const CliRun direct = Cli({"ticket", "--set", "lastname=Doe", "--set", "firstname=Jane", "--set",
                             "odaxis=90", "--set", "tilt=10", "--set", "wrap=5"});
  EXPECT_EQ(run.out, "file\t" + path + "\n" + direct.out);
}

TEST_F(CliRecords, SeveralFilesGiveOneJsonLineEach) {
  const std::string a = Save({"lastname=A", "firstname=One"});
  const std::string b = Save({"lastname=B", "firstname=Two", "odsph=-2.00"});
  const CliRun run = Cli({"ticket", "--json", a, b});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const std::size_t firstEnd = run.out.find('\n');
  ASSERT_NE(firstEnd, std::string::npos);
  EXPECT_EQ(run.out.rfind("{\"file\":\"" + a + "\",\"firstname2\":\"One\"", 0), 0u) << run.out;
  EXPECT_EQ(run.out.find("{\"file\":\"" + b + "\",\"firstname2\":\"Two\""), firstEnd + 1);
  EXPECT_EQ(Count(run.out, "\n"), 2u);
}

// Bad files are reported and skipped; the good ones are still printed; the exit status
// tells the worst: an unloadable file (66) over a Compute fault (2).
TEST_F(CliRecords, BadFilesAmongGoodOnes) {
  const std::string good = Save({"lastname=Good", "firstname=One"});
  const std::string fault = Save({"lastname=Fault", "firstname=Two", "wrap=50"});
  const std::string missing = PathOf("Missing-Person.txt");
  const std::string shortFile = PathOf("short.txt");
  Write(shortFile, "a,b,c\r\n");

  const CliRun all = Cli({"ticket", "--json", good, missing, fault, shortFile, good});
  EXPECT_EQ(all.status, kExitNoInput);
  EXPECT_EQ(Count(all.out, "\"file\":\"" + good + "\""), 2u);
  EXPECT_EQ(Count(all.out, "\n"), 2u);
  EXPECT_NE(all.err.find(missing), std::string::npos) << all.err;
  EXPECT_NE(all.err.find(shortFile), std::string::npos) << all.err;
  EXPECT_NE(all.err.find("only 3 of the 21 fields"), std::string::npos) << all.err;
  EXPECT_NE(all.err.find(fault + ": "), std::string::npos) << all.err;

  const CliRun onlyFault = Cli({"ticket", good, fault});
  EXPECT_EQ(onlyFault.status, kExitComputeFault);
  EXPECT_NE(onlyFault.out.find("file\t" + good + "\n"), std::string::npos);

  // 20 items with their final comma and line end: the line end is no 21st item.
  const std::string twenty = PathOf("twenty.txt");
  Write(twenty, Bytes(good).substr(0, Bytes(good).rfind(",15,\r\n")) + ",\r\n");
  const CliRun twentyRun = Cli({"ticket", twenty});
  EXPECT_EQ(twentyRun.status, kExitNoInput);
  EXPECT_NE(twentyRun.err.find("only 20 of the 21 fields"), std::string::npos) << twentyRun.err;

  const CliRun folder = Cli({"ticket", Folder()});
  EXPECT_EQ(folder.status, kExitNoInput);
  EXPECT_NE(folder.err.find("folder"), std::string::npos);
}

// patients lists the folder as the window's list does; history lists a patient's earlier
// records, and ticket reads any of them.
TEST_F(CliRecords, PatientsAndTheirEarlierRecords) {
  const std::string first = Save({"lastname=Lindqvist", "firstname=Maria", "odsph=-4.25"});
  Save({"lastname=lindqvist ", "firstname= maria", "odsph=\u22124.75", "record=R9"});
  Write(PathOf("Broken-File.txt"), "a,b\r\n");
  const CliRun history = Cli({"history", "--folder", Folder(), "LINDQVIST", "Maria"});
  ASSERT_EQ(history.status, kExitOk) << history.err;
  ASSERT_EQ(Count(history.out, "\n"), 1u) << history.out;
  const std::string kept = history.out.substr(history.out.find('\t') + 1);
  EXPECT_NE(kept.find("/History/Lindqvist-Maria 20"), std::string::npos) << kept;
  const CliRun earlier = Cli({"ticket", kept.substr(0, kept.size() - 1)});
  EXPECT_NE(earlier.out.find("\nodsph2\t-4.25\n"), std::string::npos) << earlier.out;
  EXPECT_EQ(Bytes(first).substr(0, 35), "maria,lindqvist,R9,-4.75,0.00,180,0");

  const struct {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> outParts;  // in this order
  } cases[] = {
      {{"patients", "--folder", Folder()},
       kExitOk,
       {"\t" + PathOf("Broken-File.txt") + "\tunreadable: Could not load",
        "\nlindqvist\tmaria\tR9\t", "\t" + first + "\n"}},
      {{"patients", "--folder", Folder(), "--search", "LIND"}, kExitOk, {"lindqvist\tmaria"}},
      {{"patients", "--folder", Folder(), "--search", "nobody"}, kExitOk, {}},
      {{"patients", "--folder", Folder(), "--search", "maria", "--json"},
       kExitOk,
       {"[{\"lastname\":\"lindqvist\",\"firstname\":\"maria\",\"record\":\"R9\",\"saved\":\"",
        "\"file\":\"" + first + "\"}]\n"}},
      {{"patients", "--folder", PathOf("missing")}, kExitNoInput, {}},
      {{"history", "--folder", Folder(), "Nobody", "Here"}, kExitOk, {}},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    std::size_t at = 0;
    for (const std::string& part : c.outParts) {
      at = run.out.find(part, at);
      EXPECT_NE(at, std::string::npos) << part << " in " << run.out;
    }
    if (c.outParts.empty()) {
      EXPECT_EQ(run.out, "");
    }
  }
}

}  // namespace
}  // namespace asworn::cli
