#include "field_overrides.h"

#include <stdexcept>

namespace asworn::cli {

void ApplyOverrides(JobSheet& sheet, const std::vector<std::string>& assignments) {
  for (const std::string& assignment : assignments) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos)
      throw std::invalid_argument("--set \"" + assignment +
                                  "\" has no '=': write it as FIELD=TEXT, e.g. odsph=-4.00");
    const std::string name = assignment.substr(0, eq);
    const std::optional<Field> field = FindField(name);
    if (!field) {
      std::string message = "--set: unknown field \"" + name + "\"; the fields are ";
      for (const FieldInfo& info : kJobSheetFields) {
        if (info.field != Field::firstname) message += ", ";
        message += info.name;
      }
      throw std::invalid_argument(message);
    }
    sheet[*field] = assignment.substr(eq + 1);
  }
}

}  // namespace asworn::cli
