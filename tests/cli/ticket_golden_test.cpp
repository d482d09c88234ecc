// SPDX-License-Identifier: Apache-2.0
// The ticket cases of tests/tickets/*.txt, each run through the asworn-cli binary as a test
// of its own, named after its file and title.
//
// A file holds cases; blank lines and lines starting with '#' are skipped.
//
//   == title                  starts a case
//   odsph=-4.00               a field and its text, to the end of the line; backslash
//                             escapes (t, r, n, backslash) stand for tab, CR, LF, backslash
//   run: ticket --json        the command (default "ticket"); the fields follow as --set
//   ticket:                   the expected ticket: indented "label  text" lines follow, the
//                             text as asworn-cli writes it. Every computed label must be
//                             listed; a copy label not listed must show its field's text,
//                             odpb and ospb "Base In".
//   detail:                   expected intermediate values (adds --detail): indented
//                             "name  digits" lines; the value must print as those digits,
//                             or begin with them when they end in "…"
//   fault: odsph              Compute stops, naming this field first (exit 2)
//   message: decimal comma    a piece of the error text
//   exit: 64                  the exit status, when it is neither 0 nor a fault's
//   locale: de_DE.UTF-8       the user's locale (LC_ALL); "C", a full stop, unless given

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "job_sheet.h"
#include "printed_digits.h"
#include "ticket_output.h"
#include "work_ticket.h"

namespace asworn {
namespace {

struct TicketCase {
  std::string where;  // file:line of the title
  std::string title;
  std::vector<std::string> run{"ticket"};
  std::vector<std::pair<Field, std::string>> fields;
  std::vector<std::pair<std::string, std::string>> ticket, detail;
  bool expectsTicket = false;
  std::optional<std::string> fault, message;
  std::optional<int> exit;
  std::string locale = "C";               // a full stop as the decimal point
  std::optional<std::string> unreadable;  // why the case's file could not be read
};

std::string Unescaped(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    const char next = text[++i];
    plain += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  return plain;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// "  label  text" into label and text; the text may hold blanks of its own.
std::pair<std::string, std::string> NameAndText(const std::string& line) {
  const std::string content = Trimmed(line);
  const std::size_t gap = content.find_first_of(" \t");
  if (gap == std::string::npos) return {content, ""};
  return {content.substr(0, gap), Trimmed(content.substr(gap))};
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::vector<TicketCase> ReadCases(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<TicketCase> cases;
  enum class Block { none, ticket, detail } block = Block::none;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Trimmed(line).empty() || line.starts_with('#')) continue;
    const std::string where = file.filename().string() + ":" + std::to_string(number);
    if (line.starts_with("== ")) {
      cases.push_back({});
      cases.back().where = where;
      cases.back().title = line.substr(3);
      block = Block::none;
      continue;
    }
    if (cases.empty()) throw std::runtime_error(where + ": a line before the first \"== title\"");
    TicketCase& c = cases.back();
    if (line.starts_with(' ') || line.starts_with('\t')) {
      if (block == Block::none) throw std::runtime_error(where + ": indented line outside a block");
      (block == Block::ticket ? c.ticket : c.detail).push_back(NameAndText(line));
      continue;
    }
    block = Block::none;
    const std::size_t colon = line.find(": ");
    const std::string key = line.ends_with(':')
                                ? line.substr(0, line.size() - 1)
                                : line.substr(0, colon == std::string::npos ? 0 : colon);
    const std::string value = colon == std::string::npos ? "" : line.substr(colon + 2);
    if (key == "ticket") {
      block = Block::ticket;
      c.expectsTicket = true;
    } else if (key == "detail") {
      block = Block::detail;
      c.expectsTicket = true;
    } else if (key == "run") {
      c.run = Words(value);
    } else if (key == "fault") {
      c.fault = value;
    } else if (key == "message") {
      c.message = value;
    } else if (key == "exit") {
      c.exit = std::stoi(value);
    } else if (key == "locale") {
      c.locale = value;
    } else if (const std::size_t eq = line.find('='); eq != std::string::npos) {
      const std::optional<Field> field = FindField(line.substr(0, eq));
      if (!field) throw std::runtime_error(where + ": unknown field in \"" + line + "\"");
      c.fields.emplace_back(*field, Unescaped(line.substr(eq + 1)));
    } else {
      throw std::runtime_error(where + ": cannot read \"" + line + "\"");
    }
  }
  return cases;
}

struct CliResult {
  int status;
  std::string out, err;
};

CliResult RunCli(const TicketCase& c) {
  QStringList args;
  for (const std::string& word : c.run) args << QString::fromStdString(word);
  if (!c.detail.empty()) args << "--detail";
  for (const auto& [field, text] : c.fields)
    args << "--set" << QString::fromStdString(std::string(InfoOf(field).name) + "=" + text);
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", QString::fromStdString(c.locale));
  process.setProcessEnvironment(environment);
  process.start(ASWORN_CLI_PATH, args);
  process.waitForFinished(30000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

std::map<std::string, std::string> OutputLines(const std::string& out) {
  std::map<std::string, std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) lines[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return lines;
}

void CheckTicket(const TicketCase& c, const CliResult& run) {
  EXPECT_EQ(run.err, "");
  const std::map<std::string, std::string> shown = OutputLines(run.out);
  JobSheet sheet;
  for (const auto& [field, text] : c.fields) sheet[field] = text;
  for (const LabelInfo& info : kWorkTicketLabels) {
    const std::string name(info.name);
    const auto listed =
        std::ranges::find(c.ticket, name, &std::pair<std::string, std::string>::first);
    std::string expected;
    if (listed != c.ticket.end()) {
      expected = listed->second;
    } else if (info.copyOf) {
      expected = cli::EscapedText(sheet[*info.copyOf]);
    } else if (!info.startText.empty()) {
      expected = std::string(info.startText);
    } else {
      ADD_FAILURE() << "the case lists no " << name;
    }
    const auto it = shown.find(name);
    if (it == shown.end())
      ADD_FAILURE() << name << " is missing from the output";
    else
      EXPECT_EQ(it->second, expected) << name;
  }
  for (const auto& [name, digits] : c.detail) {
    const auto it = shown.find(name);
    if (it == shown.end()) {
      ADD_FAILURE() << name << " is missing from the detail";
      continue;
    }
    const double value = std::stod(it->second);
    const std::string ellipsis = "\xE2\x80\xA6";
    if (digits.ends_with(ellipsis))
      EXPECT_TRUE(testing_support::BeginsWithDigits(
          value, digits.substr(0, digits.size() - ellipsis.size())))
          << name;
    else
      EXPECT_TRUE(testing_support::MatchesPrinted(value, digits)) << name;
  }
}

std::vector<std::filesystem::path> CaseFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(ASWORN_TICKET_CASES))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::ranges::sort(files);
  return files;
}

// Every case of every file; a file that cannot be read becomes one case that fails with why.
std::vector<TicketCase> AllCases() {
  std::vector<TicketCase> all;
  for (const std::filesystem::path& file : CaseFiles()) {
    try {
      std::ranges::move(ReadCases(file), std::back_inserter(all));
    } catch (const std::exception& e) {
      TicketCase unreadable;
      unreadable.where = file.filename().string();
      unreadable.title = "unreadable";
      unreadable.unreadable = e.what();
      all.push_back(unreadable);
    }
  }
  return all;
}

// The test's name: the file and the title in letters and digits, one underscore for each run
// of anything else, numbered when two cases would share one.
std::vector<std::string> CaseNames(const std::vector<TicketCase>& cases) {
  std::vector<std::string> names;
  for (const TicketCase& c : cases) {
    std::string name;
    for (const char ch : c.where.substr(0, c.where.find('.')) + " " + c.title) {
      if (std::isalnum(static_cast<unsigned char>(ch)))
        name += ch;
      else if (!name.ends_with('_'))
        name += '_';
    }
    if (name.ends_with('_')) name.pop_back();
    const std::string stem = name;
    for (int n = 2; std::ranges::find(names, name) != names.end(); ++n)
      name = stem + "_" + std::to_string(n);
    names.push_back(name);
  }
  return names;
}

const std::vector<TicketCase>& Cases() {
  static const std::vector<TicketCase> cases = AllCases();
  return cases;
}

class TicketCaseTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(TicketCaseTest, GivesItsTicketOrItsFault) {
  const TicketCase& c = Cases()[GetParam()];
  SCOPED_TRACE(c.where + " " + c.title);
  ASSERT_FALSE(c.unreadable) << *c.unreadable;
  ASSERT_TRUE(c.expectsTicket || c.fault || c.exit) << "the case expects nothing";
  const CliResult run = RunCli(c);
  const int status = c.exit.value_or(c.fault ? 2 : 0);
  EXPECT_EQ(run.status, status) << run.err;
  if (c.expectsTicket) CheckTicket(c, run);
  if (c.fault) {
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("asworn-cli: " + *c.fault + ": ")) << run.err;
  }
  if (c.message) {
    EXPECT_NE(run.err.find(*c.message), std::string::npos) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(TicketCases, TicketCaseTest,
                         ::testing::Range<std::size_t>(0, Cases().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                           static const std::vector<std::string> names = CaseNames(Cases());
                           return names[info.param];
                         });

// A folder that lost its files would otherwise pass with no case at all.
TEST(TicketCaseFiles, HoldCases) {
  ASSERT_FALSE(CaseFiles().empty());
  EXPECT_GT(Cases().size(), CaseFiles().size());
}

}  // namespace
}  // namespace asworn
