// SPDX-License-Identifier: Apache-2.0
#include "field_overrides.h"

#include <stdexcept>

namespace asworn::cli {

std::string FieldNames() {
  std::string names;
  for (const FieldInfo& info : kJobSheetFields) {
    if (!names.empty()) names += ", ";
    names += info.name;
  }
  return names;
}

void ApplyOverrides(JobSheet& sheet, const std::vector<std::string>& assignments) {
  for (const std::string& assignment : assignments) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos)
      throw std::invalid_argument("--set \"" + assignment +
                                  "\" has no '=': write it as FIELD=TEXT, e.g. odsph=-4.00");
    const std::string name = assignment.substr(0, eq);
    const std::optional<Field> field = FindField(name);
    if (!field) {
      throw std::invalid_argument("--set: unknown field \"" + name + "\"; the fields are " +
                                  FieldNames());
    }
    sheet[*field] = assignment.substr(eq + 1);
  }
}

}  // namespace asworn::cli
