// SPDX-License-Identifier: Apache-2.0
// The patient record reader on any file content. The input is written to a file and read
// back as Load reads it. The reader never throws; a file of up to the size limit gives the
// items its bytes decode to (or is refused when its record holds control characters), a larger one
// is refused with a message; a file with 21 items or more gives a job sheet that Compute handles
// like any other; and a sheet that can be stored reads back from its own bytes unchanged.

#include <unistd.h>

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "compensation_engine.h"
#include "fuzz_support.h"
#include "patient_records.h"
#include "record_encoding.h"
#include "record_file.h"
#include "record_line.h"
#include "ticket_invariants.h"

namespace {

using asworn::fuzzing::Broken;

// One file for the whole run, rewritten for each input.
const QString& ScratchPath() {
  static const QString path = [] {
    char name[] = "/tmp/asworn-record-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    return QString::fromLocal8Bit(name);
  }();
  return path;
}

void WriteScratch(std::string_view bytes, std::string_view input) {
  std::FILE* file = std::fopen(ScratchPath().toLocal8Bit().constData(), "wb");
  if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
      std::fclose(file) != 0)
    Broken("cannot write the scratch file", input);
}

void CheckRoundTrip(const asworn::JobSheet& sheet, std::string_view input) {
  asworn::PatientRecord record;
  for (std::size_t i = 0; i < asworn::kFieldCount; ++i) record[i] = sheet.Texts()[i];
  const asworn::EncodedRecord encoded = asworn::EncodeRecord(record);
  if (!encoded.bytes) {
    if (encoded.problem.isEmpty()) Broken("a record refused for storing without a reason", input);
    return;
  }
  const std::vector<std::string> items = asworn::DecodeRecordItems(*encoded.bytes);
  const std::optional<asworn::JobSheet> back = asworn::SheetFromItems(items);
  if (items.size() != asworn::kFieldCount || !back || *back != sheet)
    Broken("a stored record does not read back as the same 21 texts", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  WriteScratch(bytes, bytes);
  try {
    const asworn::RecordReadResult read = asworn::ReadPatientRecord(ScratchPath());
    if (static_cast<std::int64_t>(size) > asworn::kMaxRecordFileSize) {
      if (read.ok() || read.message.isEmpty()) Broken("an oversized file was not refused", bytes);
      return 0;
    }
    if (!read.ok()) {
      // Only a record holding control characters is no patient file.
      if (!read.message.contains(QStringLiteral("not a patient file")))
        Broken("a small regular file was refused: " + read.message.toStdString(), bytes);
      return 0;
    }
    if (*read.items !=
        asworn::DecodeRecordItems(QByteArrayView(data, static_cast<qsizetype>(size))))
      Broken("the file's items are not its bytes' items", bytes);

    const asworn::LoadResult loaded = asworn::LoadPatientFile(ScratchPath());
    const std::optional<asworn::JobSheet> sheet = asworn::SheetFromItems(*read.items);
    if (loaded.ok() != sheet.has_value() || (sheet && *loaded.sheet != *sheet))
      Broken("Load does not give the sheet of the file's first 21 items", bytes);
    if (!loaded.ok()) {
      if (loaded.message.isEmpty()) Broken("a refused file without a message", bytes);
      return 0;
    }
    const asworn::NumberFormat format;
    const asworn::ComputeOutcome outcome = asworn::Compute(*sheet, format);
    const std::string broken = asworn::testing_support::BrokenTicketRule(*sheet, format, outcome);
    if (!broken.empty()) Broken(broken, bytes);
    CheckRoundTrip(*sheet, bytes);
  } catch (const std::exception& e) {
    Broken(std::string("the reader threw: ") + e.what(), bytes);
  }
  return 0;
}
