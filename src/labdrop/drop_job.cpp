// SPDX-License-Identifier: Apache-2.0
#include "drop_job.h"

#include <cerrno>

namespace asworn::labdrop {

WholeFileRead ReadJobFile(const QString& path) {
  return ReadRegularFile(path, kJobFileRules);
}

QString UnreadReason(const WholeFileRead& read) {
  switch (read.refusal) {
    case ReadRefusal::none:
      return {};
    case ReadRefusal::notRegular:
      return QStringLiteral("not a regular file");
    case ReadRefusal::tooLarge:
    case ReadRefusal::grew:
      return QStringLiteral("larger than %1 bytes").arg(kMaxJobFileSize);
    case ReadRefusal::notText:
      return QStringLiteral("not text");
    case ReadRefusal::system:
      break;
  }
  // A job the LMS made readable by its group alone: the fix is the account's, not the job's.
  if (read.errorNumber == EACCES || read.errorNumber == EPERM)
    return QStringLiteral("unreadable: ") + read.error +
           QStringLiteral(
               ". This program's account may not read the job: give it the group the "
               "LMS writes jobs with (SupplementaryGroups= in asworn-dcs.service), "
               "or have the LMS write jobs that group may read, then send the job "
               "again");
  return QStringLiteral("unreadable: ") + read.error;
}

JobFileAnswer AnswerJobFile(const QString& path, const exchange::AnswerOptions& options) {
  JobFileAnswer result{ReadJobFile(path), std::nullopt};
  if (result.read.bytes)
    result.answer =
        exchange::AnswerJob(exchange::ReadDcs(result.read.bytes->toStdString()), options);
  return result;
}

}  // namespace asworn::labdrop
