// SPDX-License-Identifier: Apache-2.0
#include "entry_reading.h"

#include <string>
#include <vector>

#include "eye_fields.h"
#include "field_reading.h"
#include "step_check.h"
#include "tilt_factors.h"

namespace asworn {
namespace {

void ReadEntry(const JobSheet& sheet, const NumberFormat& format, Field field) {
  for (Eye eye : {Eye::right, Eye::left})
    if (FieldsOf(eye).n == field) {
      ReadLensIndex(sheet, format, eye);
      return;
    }
  const StepCheck check(sheet, InfoOf(field).spokenName);
  check.Read(field);
}

}  // namespace

void ReadEveryEntry(const JobSheet& sheet, const NumberFormat& format) {
  std::vector<ComputeFault> faults;
  for (const FieldInfo& info : kJobSheetFields) {
    if (IndexOf(info.field) < IndexOf(Field::odsph)) continue;  // the names and the record
    try {
      ReadEntry(sheet, format, info.field);
    } catch (const FaultSignal& signal) {
      faults.push_back(signal.Fault());
    }
  }
  if (faults.empty()) return;
  if (faults.size() == 1) throw FaultSignal(std::move(faults.front()));
  ComputeFault all = faults.front();
  all.fields.clear();
  all.message = std::to_string(faults.size()) + " entries need correcting.";
  for (const ComputeFault& fault : faults) {
    all.fields.push_back(fault.fields.front());
    all.message += ' ' + fault.message;
  }
  throw FaultSignal(std::move(all));
}

}  // namespace asworn
