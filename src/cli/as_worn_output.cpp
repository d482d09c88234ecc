// SPDX-License-Identifier: Apache-2.0
#include "as_worn_output.h"

#include <ostream>

#include "as_worn_wording.h"
#include "number_text.h"

namespace asworn::cli {
namespace {

nlohmann::ordered_json RxJson(const optics::SphCylAxis& rx) {
  return {{"sphere", rx.sphere}, {"cylinder", rx.cylinder}, {"axis", rx.axis}};
}

nlohmann::ordered_json EyeJson(const optics::EyeCheckOutcome& outcome) {
  if (!outcome.check) return {{"fault", std::string(optics::FaultText(outcome.fault))}};
  const optics::EyeCheck& c = *outcome.check;
  const optics::AnsiResult& v = c.verdict;
  nlohmann::ordered_json eye;
  eye["required"] = RxJson(c.required);
  eye["ordered"] = RxJson(c.ordered);
  eye["worn"] = RxJson(c.worn);
  eye["exactOrder"] = RxJson(c.exactOrder);
  eye["error"] = {{"sphere", v.sphereError},
                  {"cylinder", v.cylinderError},
                  {"axis", v.axisError ? nlohmann::ordered_json(*v.axisError) : nullptr},
                  {"matrix", v.matrixError}};
  eye["withinAnsi"] = v.Within();
  eye["prism"] = {{"baseIn", c.prism.baseIn}, {"baseUp", c.prism.baseUp}};
  eye["compensatingPrism"] = {{"baseIn", c.compensatingPrism}};
  eye["thickness"] = c.thicknessMm;
  return eye;
}

void WriteEye(std::ostream& out, const char* name, const optics::EyeCheckOutcome& outcome,
              std::string_view separator) {
  out << name << '\n';
  if (!outcome.check) {
    out << "  cannot be traced: " << optics::FaultText(outcome.fault) << '\n';
    return;
  }
  const optics::EyeCheck& c = *outcome.check;
  out << "  required:      " << ordering::RxText(c.required, separator) << '\n'
      << "  ticket's lens: " << ordering::RxText(c.ordered, separator) << ", "
      << FixedText(c.thicknessMm, 2, separator) << " mm thick\n"
      << "  as worn:       " << ordering::RxText(c.worn, separator) << '\n'
      << "  ANSI Z80.1:    " << ordering::VerdictText(c.verdict, separator) << '\n'
      << "  exact order:   " << ordering::RxText(c.exactOrder, separator) << '\n'
      << "  induced prism: " << ordering::PrismText(c.prism, separator) << '\n'
      << "  compensating:  " << ordering::CompensatingPrismText(c.compensatingPrism, separator)
      << '\n';
}

}  // namespace

nlohmann::ordered_json AsWornJson(const optics::AsWornResult& result) {
  nlohmann::ordered_json json{{"order", optics::OrderWord(result.settings.order)},
                              {"convention", optics::ConventionWord(result.settings.convention)},
                              {"od", EyeJson(result.od)},
                              {"os", EyeJson(result.os)}};
  if (result.verticalImbalance)
    json["verticalImbalance"] = {{"prism", *result.verticalImbalance},
                                 {"withinAnsi", result.VerticalImbalanceWithin()}};
  return json;
}

void WriteAsWornText(std::ostream& out, const optics::AsWornResult& result,
                     std::string_view decimalSeparator) {
  out << "\nAs-worn check (exact ray trace, "
      << ordering::ConventionName(result.settings.convention) << ")\nLens ordered by the "
      << ordering::OrderName(result.settings, decimalSeparator) << '\n';
  WriteEye(out, "Right eye (OD)", result.od, decimalSeparator);
  WriteEye(out, "Left eye (OS)", result.os, decimalSeparator);
  if (result.verticalImbalance)
    out << "Pair: " << ordering::VerticalImbalanceText(result, decimalSeparator)
        << " (ANSI Z80.1, mounted pair)\n";
}

}  // namespace asworn::cli
