// SPDX-License-Identifier: Apache-2.0
#include "ticket_output.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "as_worn_output.h"
#include "number_text.h"

namespace asworn::cli {

std::string EscapedText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\t':
        escaped += "\\t";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string FaultLine(const ComputeFault& fault) {
  const std::string field =
      fault.fields.empty() ? std::string() : std::string(InfoOf(fault.fields.front()).name) + ": ";
  return field + EscapedText(fault.message);
}

void WriteTicket(std::ostream& out, const ComputedTicket& computed,
                 const ordering::OrderedTicket& ordered, const TicketOutputOptions& options) {
  const WorkTicket& ticket = ordered.ticket;
  // The default ticket stays as it always was; the exact order says so.
  const bool exact = options.order.order == optics::OrderChoice::exact;
  if (options.json) {
    nlohmann::ordered_json object;
    if (!options.source.empty()) object["file"] = options.source;
    for (const LabelInfo& info : kWorkTicketLabels)
      object[std::string(info.name)] = ticket[info.label];
    if (exact) object["order"] = "exact";
    if (options.detail) {
      nlohmann::ordered_json detail;
      for (const auto& [name, value] : DetailValues(computed.compensation)) detail[name] = value;
      object["detail"] = detail;
    }
    if (options.asWorn) object["asWorn"] = AsWornJson(ordered.check);
    out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return;
  }
  // One line per label whatever the texts hold, so that a record cannot forge a line.
  if (!options.source.empty()) out << "file\t" << EscapedText(options.source) << '\n';
  for (const LabelInfo& info : kWorkTicketLabels)
    out << info.name << '\t' << EscapedText(ticket[info.label]) << '\n';
  if (exact) out << "order\texact\n";
  if (options.detail)
    for (const auto& [name, value] : DetailValues(computed.compensation))
      out << name << '\t' << ExactText(value, options.decimalSeparator) << '\n';
  if (options.asWorn) WriteAsWornText(out, ordered.check, options.decimalSeparator);
}

}  // namespace asworn::cli
