// SPDX-License-Identifier: Apache-2.0
#pragma once
// The bytes of a patient file. Older Windows lab programs wrote their files in Windows-1252,
// so a line whose every character fits is written that way, byte for byte as they did; any
// other line is written in UTF-8. The reader takes valid UTF-8 as UTF-8 and anything else as
// Windows-1252, which gives every byte some character, so no file is unreadable for its bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "record_line.h"

namespace asworn {

// The bytes to store for `text`: Windows-1252 when every character fits and the bytes read
// back as the same text, UTF-8 otherwise. (Windows-1252 bytes that happen to be valid UTF-8,
// such as "Ã¼", would read back as other characters; such a line goes out in UTF-8.)
QByteArray EncodeRecordText(const QString& text);

// The text of stored bytes: UTF-8 when they are valid UTF-8 (a leading byte order mark that
// an editor put there is dropped), Windows-1252 when they are not.
QString DecodeRecordBytes(QByteArrayView bytes);

struct EncodedRecord {
  std::optional<QByteArray> bytes;  // the whole file: the line and its CR LF
  QString problem;                  // why the record cannot be stored so that it reads back
};

// The bytes of the file that holds `record`, refused when they would not read back as the
// same 21 texts (a comma or a control character in a field, text that is not UTF-8, a leading
// byte order mark), or that Load would not read (larger than kMaxRecordFileSize).
EncodedRecord EncodeRecord(const PatientRecord& record);

// The items of a file's bytes: decoded, then cut at every comma.
std::vector<std::string> DecodeRecordItems(QByteArrayView bytes);

}  // namespace asworn
