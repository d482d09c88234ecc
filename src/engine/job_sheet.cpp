// SPDX-License-Identifier: Apache-2.0
#include "job_sheet.h"

namespace asworn {

const std::array<FieldInfo, kFieldCount> kJobSheetFields{{
    {Field::firstname, "firstname", "First Name", "First name"},
    {Field::lastname, "lastname", "Last Name", "Last name"},
    {Field::record, "record", "Rec #", "Record number"},
    {Field::odsph, "odsph", "0.00", "Right sphere"},
    {Field::odcyl, "odcyl", "0.00", "Right cylinder"},
    {Field::odaxis, "odaxis", "180", "Right axis"},
    {Field::ossph, "ossph", "0.00", "Left sphere"},
    {Field::oscyl, "oscyl", "0.00", "Left cylinder"},
    {Field::osaxis, "osaxis", "180", "Left axis"},
    {Field::odbc, "odbc", "8.00", "Right lens base curve"},
    {Field::odn, "odn", "1.586", "Right lens index"},
    {Field::oddiam, "oddiam", "70", "Right lens diameter"},
    {Field::osbc, "osbc", "8.00", "Left lens base curve"},
    {Field::osn, "osn", "1.586", "Left lens index"},
    {Field::osdiam, "osdiam", "70", "Left lens diameter"},
    {Field::odrvd, "odrvd", "13.0", "Right refracted vertex distance"},
    {Field::odfvd, "odfvd", "13.0", "Right fitted vertex distance"},
    {Field::osrvd, "osrvd", "13.0", "Left refracted vertex distance"},
    {Field::osfvd, "osfvd", "13.0", "Left fitted vertex distance"},
    {Field::tilt, "tilt", "15", "Pantoscopic tilt"},
    {Field::wrap, "wrap", "15", "Face-form wrap"},
}};

const FieldInfo& InfoOf(Field f) {
  return kJobSheetFields[IndexOf(f)];
}

std::optional<Field> FindField(std::string_view name) {
  for (const FieldInfo& info : kJobSheetFields)
    if (info.name == name) return info.field;
  return std::nullopt;
}

JobSheet::JobSheet() {
  for (const FieldInfo& info : kJobSheetFields) texts_[IndexOf(info.field)] = info.defaultText;
}

}  // namespace asworn
