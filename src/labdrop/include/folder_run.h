// SPDX-License-Identifier: Apache-2.0
#pragma once
// Answering a lab's drop folder: every job file (*.lds) gets exactly one answer (*.lms) beside
// it, written whole under another name and renamed, and is then moved out of the way: to
// done/ when answered, to errors/ when refused or not readable as a job.

#include <QDir>
#include <QString>
#include <csignal>
#include <iosfwd>
#include <set>

#include "dcs_answer.h"

namespace asworn::labdrop {

struct FolderOutcome {
  bool refused = false;     // a job answered STATUS=3
  bool unmoved = false;     // an answer not written or a job not moved: it stays in the drop
  bool unreadable = false;  // the folder itself could not be read
};

class FolderRun {
 public:
  FolderRun(const QString& folder, exchange::AnswerOptions options, std::ostream& out,
            std::ostream& err);

  // Answers every job now in the folder, in name order; once `stop` is set, ends after the
  // job in hand.
  void Pass(const volatile std::sig_atomic_t* stop = nullptr);

  const FolderOutcome& Outcome() const { return outcome_; }

 private:
  void Take(const QString& name);
  bool Move(const QString& name, const QString& subfolder);
  bool WarnOnce(const QString& name);

  QDir dir_;
  exchange::AnswerOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  FolderOutcome outcome_;
  std::set<QString> stuck_;  // jobs that could not be moved, told once while they stay
};

}  // namespace asworn::labdrop
