// SPDX-License-Identifier: Apache-2.0
#include "job_sheet.h"

namespace asworn {

const std::array<FieldInfo, kFieldCount> kJobSheetFields{{
    {Field::firstname, "firstname", "First Name", "First name", "First Name"},
    {Field::lastname, "lastname", "Last Name", "Last name", "Last Name"},
    {Field::record, "record", "Rec #", "Record number", "Record #"},
    {Field::odsph, "odsph", "0.00", "Right sphere", "Right sphere"},
    {Field::odcyl, "odcyl", "0.00", "Right cylinder", "Right cylinder"},
    {Field::odaxis, "odaxis", "180", "Right axis", "Right axis"},
    {Field::ossph, "ossph", "0.00", "Left sphere", "Left sphere"},
    {Field::oscyl, "oscyl", "0.00", "Left cylinder", "Left cylinder"},
    {Field::osaxis, "osaxis", "180", "Left axis", "Left axis"},
    {Field::odbc, "odbc", "8.00", "Right lens base curve", "Right base curve"},
    {Field::odn, "odn", "1.586", "Right lens index", "Right index"},
    {Field::oddiam, "oddiam", "70", "Right lens diameter", "Right MBS"},
    {Field::osbc, "osbc", "8.00", "Left lens base curve", "Left base curve"},
    {Field::osn, "osn", "1.586", "Left lens index", "Left index"},
    {Field::osdiam, "osdiam", "70", "Left lens diameter", "Left MBS"},
    {Field::odrvd, "odrvd", "13.0", "Right refracted vertex distance", "Right refracted vertex"},
    {Field::odfvd, "odfvd", "13.0", "Right fitted vertex distance", "Right fitted vertex"},
    {Field::osrvd, "osrvd", "13.0", "Left refracted vertex distance", "Left refracted vertex"},
    {Field::osfvd, "osfvd", "13.0", "Left fitted vertex distance", "Left fitted vertex"},
    {Field::tilt, "tilt", "15", "Pantoscopic tilt", "Tilt"},
    {Field::wrap, "wrap", "15", "Face-form wrap", "Wrap"},
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
