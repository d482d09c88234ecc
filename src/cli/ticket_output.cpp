#include "ticket_output.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>

#include "as_worn_input.h"
#include "as_worn_output.h"

namespace asworn::cli {

std::string ExactNumberText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void WriteTicket(std::ostream& out, const JobSheet& sheet, const ComputeOutcome& outcome,
                 const TicketOutputOptions& options) {
  const WorkTicket& ticket = *outcome.ticket;
  if (options.json) {
    nlohmann::ordered_json object;
    if (!options.source.empty()) object["file"] = options.source;
    for (const LabelInfo& info : kWorkTicketLabels)
      object[std::string(info.name)] = ticket[info.label];
    if (options.detail) {
      nlohmann::ordered_json detail;
      for (const auto& [name, value] : DetailValues(*outcome.compensation)) detail[name] = value;
      object["detail"] = detail;
    }
    if (options.asWorn)
      object["asWorn"] = AsWornJson(optics::AsWornCheck(sheet, *outcome.compensation));
    out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return;
  }
  if (!options.source.empty()) out << "file\t" << options.source << '\n';
  for (const LabelInfo& info : kWorkTicketLabels)
    out << info.name << '\t' << ticket[info.label] << '\n';
  if (options.detail)
    for (const auto& [name, value] : DetailValues(*outcome.compensation))
      out << name << '\t' << ExactNumberText(value) << '\n';
  if (options.asWorn) WriteAsWornText(out, optics::AsWornCheck(sheet, *outcome.compensation));
}

}  // namespace asworn::cli
