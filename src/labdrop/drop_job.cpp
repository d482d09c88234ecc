// SPDX-License-Identifier: Apache-2.0
#include "drop_job.h"

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
