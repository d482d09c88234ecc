// SPDX-License-Identifier: Apache-2.0
#pragma once
// One DCS job file, read as untrusted input and answered: whoever can write where jobs come
// from must not make the service read, echo or wait on anything but a plain job file. The one
// set of rules for a job named on the command line and a job found in a drop folder.

#include <QByteArray>
#include <QString>
#include <optional>

#include "dcs_answer.h"
#include "read_file.h"

namespace asworn::labdrop {

// Job files with traces reach a few hundred kilobytes; anything far larger is not one.
inline constexpr qint64 kMaxJobFileSize = qint64{16} * 1024 * 1024;

// A regular file, never through a link, of at most kMaxJobFileSize bytes of text.
inline constexpr ReadRules kJobFileRules{kMaxJobFileSize, false, true};

// The bytes of the job file at `path` by those rules.
WholeFileRead ReadJobFile(const QString& path);

// Why a job was not read, as the answer's XSTATUS says it: "not a regular file", "not text"...
QString UnreadReason(const WholeFileRead& read);

struct JobFileAnswer {
  WholeFileRead read;                         // read.error says why, when it was not read
  std::optional<exchange::DcsAnswer> answer;  // none when the job could not be read
};

// The answer to the job file at `path`.
JobFileAnswer AnswerJobFile(const QString& path, const exchange::AnswerOptions& options);

}  // namespace asworn::labdrop
