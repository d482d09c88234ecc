// SPDX-License-Identifier: Apache-2.0
// Job files in tests/dcs answered through the command line and compared byte for byte with
// the expected answers beside them. ASWORN_UPDATE_GOLDEN=1 rewrites the expected answers.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

#include "as_worn_check.h"
#include "cli_run.h"
#include "dcs_answer.h"
#include "dcs_records.h"
#include "job_mapping.h"
#include "lab_defaults.h"

namespace asworn::exchange {
namespace {

std::string ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The input with any earlier answer's records left out, REQ=LMS in place of its REQ (or ANS).
std::vector<DcsRecord> HandedBack(const std::vector<DcsRecord>& records) {
  std::vector<DcsRecord> kept;
  for (const DcsRecord& record : records)
    if (!IsResultLabel(record.label)) kept.push_back(record);
  const auto request = std::find_if(kept.begin(), kept.end(), [](const DcsRecord& r) {
    return BareLabel(r.label) == "REQ" || BareLabel(r.label) == "ANS";
  });
  if (request == kept.end())
    kept.insert(kept.begin(), {"REQ", "LMS"});
  else
    *request = {"REQ", "LMS"};
  return kept;
}

double Number(const std::vector<DcsRecord>& answer, const char* label, Eye side) {
  return ReadDcsNumber(EyeValue(*FindRecord(answer, label)->value, side)).value;
}

// The answer's lens equals `asworn-cli ticket` (with the same --order, --convention and
// --steps) on the job sheet the job maps to, as a lab writes it: in whole degrees.
void ExpectTicketValues(const std::vector<DcsRecord>& job, const std::vector<DcsRecord>& answer,
                        std::optional<double> refracted, const std::string& name,
                        const std::vector<std::string>& orderOptions, optics::PowerStep step) {
  const JobMapping mapping = MapJob(job, refracted);
  ASSERT_TRUE(mapping.job) << name;
  std::vector<std::string> args{"ticket"};
  args.insert(args.end(), orderOptions.begin(), orderOptions.end());
  for (const FieldInfo& info : kJobSheetFields) {
    args.push_back("--set");
    args.push_back(std::string(info.name) + "=" + mapping.job->sheet[info.field]);
  }
  const cli::CliRun ticket = cli::RunIn(args);
  ASSERT_EQ(ticket.status, cli::kExitOk) << name << ticket.err;
  std::map<std::string, double> labels;
  std::map<std::string, std::string> texts;
  std::istringstream lines(ticket.out);
  for (std::string line; std::getline(lines, line);) {
    const std::string label = line.substr(0, line.find('\t'));
    texts[label] = line.substr(line.find('\t') + 1);
    labels[label] = std::atof(texts[label].c_str());
  }

  const struct {
    Eye side;
    bool inJob;
    const char *sph, *cyl, *axis, *prism;
    const char* base;
  } eyes[] = {{Eye::right, mapping.job->right, "odcsph", "odccyl", "odcaxis", "odprism2", "odpb"},
              {Eye::left, mapping.job->left, "oscsph", "osccyl", "oscaxis", "osprism2", "ospb"}};
  for (const auto& eye : eyes) {
    if (!eye.inJob) {
      EXPECT_EQ(EyeValue(*FindRecord(answer, "LDDRSPH")->value, eye.side), "") << name;
      continue;
    }
    for (const char* label : {"LDDRSPH", "INSSPH"})
      EXPECT_EQ(Number(answer, label, eye.side), labels[eye.sph]) << name << label;
    for (const char* label : {"LDDRCYL", "INSCYL"})
      EXPECT_EQ(Number(answer, label, eye.side), labels[eye.cyl]) << name << label;
    const optics::SphCylAxis written =
        optics::RoundedOrder({labels[eye.sph], labels[eye.cyl], labels[eye.axis]}, step);
    for (const char* label : {"LDDRAX", "INSAX"})
      EXPECT_EQ(Number(answer, label, eye.side), written.axis) << name << label;
    // The ticket shows the prism's size beside its base.
    const double prism = texts[eye.base] == "Base Out" ? -labels[eye.prism] : labels[eye.prism];
    const double baseOut = (prism < 0) == (eye.side == Eye::right) ? 180 : 0;
    for (const char* label : {"LDPRVM", "INSPRPRVM"})
      EXPECT_EQ(Number(answer, label, eye.side), std::fabs(prism)) << name << label;
    for (const char* label : {"LDPRVA", "INSPRPRVA"})
      EXPECT_EQ(Number(answer, label, eye.side), baseOut) << name << label;
  }
}

std::vector<std::string> JobFiles() {
  std::vector<std::string> jobs;
  for (const QString& job : QDir(QStringLiteral(ASWORN_DCS_DIR))
                                .entryList({QStringLiteral("*.lds")}, QDir::Files, QDir::Name))
    jobs.push_back(job.toStdString());
  return jobs;
}

// A folder that lost its job files would otherwise pass with no case at all.
TEST(DcsGoldenFiles, AreThere) {
  EXPECT_GE(JobFiles().size(), 15);
}

class DcsGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(DcsGolden, JobFileGivesTheExpectedAnswer) {
  const QDir dir(QStringLiteral(ASWORN_DCS_DIR));
  const bool update = std::getenv("ASWORN_UPDATE_GOLDEN") != nullptr;
  const std::string& name = GetParam();
  const QString job = QString::fromStdString(name);
  const QString base = dir.filePath(job.chopped(4));
  // A case may add options in NAME.args, e.g. --refracted-vertex 12; a word naming a file
  // beside it is that file.
  std::vector<std::string> args{"dcs", "--stdout", dir.filePath(job).toStdString()};
  std::vector<std::string> extra =
      Words(QFile::exists(base + ".args") ? ReadText(base + ".args") : std::string());
  std::vector<DcsRecord> defaults;
  for (std::size_t i = 0; i < extra.size(); ++i) {
    const QString beside = dir.filePath(QString::fromStdString(extra[i]));
    if (!extra[i].starts_with('-') && QFile::exists(beside)) extra[i] = beside.toStdString();
    if (i > 0 && extra[i - 1] == "--defaults")
      defaults = *ReadLabDefaults(ReadText(beside)).records;
  }
  args.insert(args.begin() + 1, extra.begin(), extra.end());
  const cli::CliRun run = cli::RunIn(args);

  if (update) {
    QFile out(base + ".lms");
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(run.out.data(), static_cast<qint64>(run.out.size()));
  }
  EXPECT_EQ(run.out, ReadText(base + ".lms")) << name;
  // A user's decimal comma changes nothing: DCS numbers always have a full stop.
  EXPECT_EQ(cli::RunIn(args, NumberFormat{",", "."}).out, run.out) << name;

  const std::vector<DcsRecord> input = ReadDcs(ReadText(dir.filePath(job)));
  std::vector<DcsRecord> answer = ReadDcs(run.out);
  ASSERT_FALSE(answer.empty()) << name;
  const bool refused = FindRecord(answer, "STATUS")->value == "3";
  EXPECT_EQ(run.status, refused ? cli::kExitComputeFault : cli::kExitOk) << name << run.err;
  EXPECT_EQ(refused, FindRecord(answer, "STATUS")->value != "0") << name;

  // Every input record comes back unchanged and in order; results once each, after them.
  std::vector<DcsRecord> results;
  for (const DcsRecord& record : answer)
    if (IsResultLabel(record.label) && record.label != "XSTATUS") results.push_back(record);
  // After STATUS only XSTATUS: errors of a refusal, or warnings of a lens that is made.
  const auto status = std::find_if(answer.begin(), answer.end(),
                                   [](const DcsRecord& r) { return r.label == "STATUS"; });
  std::string warned;  // the sides warned of, in order
  for (auto record = status + 1; record != answer.end(); ++record) {
    EXPECT_EQ(record->label, "XSTATUS") << name;
    EXPECT_EQ(record->value->back(), refused ? 'E' : 'W') << name << *record->value;
    if (!refused) warned += record->value->front();
  }
  std::erase_if(answer, [](const DcsRecord& r) { return IsResultLabel(r.label); });
  EXPECT_EQ(answer, HandedBack(input)) << name;
  for (const DcsRecord& result : results)
    EXPECT_EQ(FindRecord(results, result.label), &result) << name << " twice: " << result.label;
  // 13 labels of the lens, 7 of the exact as-worn check, and the notes of defaults used and
  // of a near zone left as it is.
  const std::size_t notes =
      (FindRecord(results, "_AWDEFAULT") != nullptr) + (FindRecord(results, "_AWNEAR") != nullptr);
  EXPECT_EQ(results.size(), refused ? 1u : 20u + notes) << name;
  EXPECT_EQ(notes > 0, !defaults.empty() || name.starts_with("near_")) << name;
  if (refused) return;

  // Each eye said OUT of tolerance is warned of, in eye order, and nothing else but the pair.
  const std::string ansi = *FindRecord(results, "_AWANSI")->value;
  std::string outside;
  if (EyeValue(ansi, Eye::right) == "OUT") outside += 'R';
  if (EyeValue(ansi, Eye::left) == "OUT") outside += 'L';
  EXPECT_EQ(warned.substr(0, outside.size()), outside) << name;
  EXPECT_TRUE(warned.substr(outside.size()).empty() || warned.substr(outside.size()) == "B")
      << name << warned;

  // The lens of `asworn-cli ticket` with the same order, reading and step.
  const bool exact = FindRecord(results, "_AWORDER")->value == "EXACT";
  std::vector<std::string> orderOptions{"--order", exact ? "exact" : "ticket"};
  optics::PowerStep step = optics::PowerStep::hundredth;
  std::optional<double> refracted;
  for (std::size_t i = 0; i + 1 < extra.size(); ++i) {
    if (extra[i] == "--convention" || extra[i] == "--steps")
      orderOptions.insert(orderOptions.end(), {extra[i], extra[i + 1]});
    if (extra[i] == "--steps") step = *optics::StepFromWord(extra[i + 1]);
    if (extra[i] == "--refracted-vertex") refracted = std::stod(extra[i + 1]);
  }
  if (exact) {
    for (const char* label : {"SPH", "CYL", "AX"})
      EXPECT_EQ(FindRecord(results, std::string("LDDR") + label)->value,
                FindRecord(results, std::string("_AWEXACT") + label)->value)
          << name << " " << label;
  }
  std::vector<std::string> used;
  ExpectTicketValues(WithLabDefaults(input, defaults, used), ReadDcs(run.out), refracted, name,
                     orderOptions, step);
}

// Each job file is a test of its own, named after the file.
INSTANTIATE_TEST_SUITE_P(JobFiles, DcsGolden, ::testing::ValuesIn(JobFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST(DcsFolder, AnswersNewJobsBesideThemAndMovesThemToDone) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QDir dir(temp.path());
  const std::string job = ReadText(QStringLiteral(ASWORN_DCS_DIR "/104233.lds"));
  for (const char* name : {"a.lds", "b.LDS", "c.lds", "c.lms", "notes.txt"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(std::string(name) == "c.lms" ? "STATUS=0\r\n" : job.c_str());
  }
  const cli::CliRun run = cli::RunIn({"dcs", "--folder", temp.path().toStdString()});
  EXPECT_EQ(run.status, cli::kExitOk) << run.err;
  const std::string expected = ReadText(QStringLiteral(ASWORN_DCS_DIR "/104233.lms"));
  EXPECT_EQ(ReadText(dir.filePath("a.lms")), expected);
  EXPECT_EQ(ReadText(dir.filePath("b.lms")), expected);
  // Already answered (its answer is newer): moved, never answered twice.
  EXPECT_EQ(ReadText(dir.filePath("c.lms")), "STATUS=0\r\n");
  EXPECT_EQ(dir.entryList(QDir::Files, QDir::Name),
            QStringList({"a.lms", "b.lms", "c.lms", "notes.txt"}));
  EXPECT_EQ(QDir(dir.filePath("done")).entryList(QDir::Files, QDir::Name),
            QStringList({"a.lds", "b.LDS", "c.lds"}));
  ASSERT_TRUE(QFile::rename(dir.filePath("done/c.lds"), dir.filePath("c.lds")));

  // A job beside its answer file: written there, and the path printed.
  const cli::CliRun single = cli::RunIn({"dcs", dir.filePath("c.lds").toStdString()});
  EXPECT_EQ(single.status, cli::kExitOk);
  EXPECT_EQ(single.out, dir.filePath("c.lms").toStdString() + "\n");
  EXPECT_EQ(ReadText(dir.filePath("c.lms")), expected);

  // What cannot be read or written, by exit status; an answer file is never its own job. A job
  // file named here is read by the drop folder's rules: never through a link, never a pipe,
  // only text.
  ASSERT_TRUE(dir.mkdir("d.lms"));
  ASSERT_TRUE(QFile::copy(dir.filePath("c.lds"), dir.filePath("d.lds")));
  ASSERT_TRUE(QFile::link(dir.filePath("c.lds"), dir.filePath("link.lds")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.lds")).constData(), 0644), 0);
  {
    QFile binary(dir.filePath("binary.lds"));
    ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
    binary.write(job.c_str(), static_cast<qint64>(job.size()) + 1);  // with its NUL
  }
  const struct {
    std::vector<std::string> args;
    int status;
  } failures[] = {
      {{"dcs", dir.filePath("missing.lds").toStdString()}, cli::kExitNoInput},
      {{"dcs", "--folder", dir.filePath("missing").toStdString()}, cli::kExitNoInput},
      {{"dcs", "--watch", dir.filePath("missing").toStdString()}, cli::kExitNoInput},
      {{"dcs", "--watch", dir.filePath("c.lds").toStdString()}, cli::kExitNoInput},
      {{"dcs", dir.filePath("d.lds").toStdString()}, cli::kExitCannotWrite},
      {{"dcs", dir.filePath("c.lms").toStdString()}, cli::kExitCannotWrite},
      {{"dcs", dir.filePath("missing.lds").toStdString(), dir.filePath("d.lds").toStdString()},
       cli::kExitNoInput},
      {{"dcs", dir.filePath("link.lds").toStdString()}, cli::kExitNoInput},
      {{"dcs", "--stdout", dir.filePath("link.lds").toStdString()}, cli::kExitNoInput},
      {{"dcs", dir.filePath("fifo.lds").toStdString()}, cli::kExitNoInput},
      {{"dcs", dir.filePath("binary.lds").toStdString()}, cli::kExitNoInput},
      // A defaults file with a label that is no fitting measurement; with a second refracted
      // vertex; missing.
      {{"dcs", "--defaults", ASWORN_DCS_DIR "/wrong_defaults.dcs", "c.lds"}, cli::kExitUsage},
      {{"dcs", "--defaults", ASWORN_DCS_DIR "/lab_defaults.dcs", "--refracted-vertex", "12",
        "c.lds"},
       cli::kExitUsage},
      {{"dcs", "--defaults", dir.filePath("missing.dcs").toStdString(), "c.lds"},
       cli::kExitNoInput},
  };
  for (const auto& row : failures)
    EXPECT_EQ(cli::RunIn(row.args).status, row.status) << row.args.back();
  EXPECT_EQ(ReadText(dir.filePath("c.lms")), expected);
  for (const char* unanswered : {"link.lms", "fifo.lms", "binary.lms"})
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(unanswered))) << unanswered;
}

}  // namespace
}  // namespace asworn::exchange
