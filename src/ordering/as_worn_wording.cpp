// SPDX-License-Identifier: Apache-2.0
#include "as_worn_wording.h"

#include <cmath>

#include "number_text.h"

namespace asworn::ordering {
namespace {

// Each part outside, axis first, its error written so that it reads beyond its tolerance.
std::string ReasonIn(const optics::AnsiResult& v, std::string_view decimalSeparator,
                     std::string_view degree, std::string_view joiner) {
  std::string text;
  const auto add = [&](const std::string& part) {
    if (!text.empty()) text += joiner;
    text += part;
  };
  const auto dioptres = [&](const char* part, double error, double tolerance) {
    add(std::string(part) + " off by " +
        FixedTextBeyond(error, tolerance, 2, decimalSeparator, Sign::always) + " D, tolerance " +
        FixedText(tolerance, 2, decimalSeparator) + " D");
  };
  if (!v.AxisWithin())
    add("axis off by " + FixedTextBeyond(*v.axisError, *v.axisTolerance, 1, decimalSeparator) +
        std::string(degree) + ", tolerance " + FixedText(*v.axisTolerance, 0, decimalSeparator) +
        std::string(degree));
  if (!v.SphereWithin()) dioptres("sphere", v.sphereError, v.sphereTolerance);
  if (!v.CylinderWithin()) dioptres("cylinder", v.cylinderError, v.cylinderTolerance);
  return text;
}

}  // namespace

std::string RxText(const optics::SphCylAxis& rx, std::string_view decimalSeparator) {
  return FixedText(rx.sphere, 2, decimalSeparator, Sign::always) + ' ' +
         FixedText(rx.cylinder, 2, decimalSeparator, Sign::always) + " x " +
         FixedText(rx.axis, 1, decimalSeparator);
}

std::vector<std::string> PartsOutside(const optics::AnsiResult& v,
                                      std::string_view decimalSeparator) {
  const auto dioptres = [&](const char* part, double error, double tolerance) {
    return std::string(part) + " off by " +
           FixedTextBeyond(error, tolerance, 2, decimalSeparator, Sign::always) + " D (\u00b1" +
           FixedText(tolerance, 2, decimalSeparator) + " D)";
  };
  std::vector<std::string> parts;
  if (!v.SphereWithin()) parts.push_back(dioptres("sphere", v.sphereError, v.sphereTolerance));
  if (!v.CylinderWithin())
    parts.push_back(dioptres("cylinder", v.cylinderError, v.cylinderTolerance));
  if (!v.AxisWithin())
    parts.push_back(
        "axis off by " + FixedTextBeyond(*v.axisError, *v.axisTolerance, 1, decimalSeparator) +
        "\u00b0 (\u00b1" + FixedText(*v.axisTolerance, 0, decimalSeparator) + "\u00b0)");
  return parts;
}

std::string VerdictText(const optics::AnsiResult& verdict, std::string_view decimalSeparator) {
  const std::vector<std::string> parts = PartsOutside(verdict, decimalSeparator);
  if (parts.empty()) return "within tolerance";
  std::string text = "outside tolerance: ";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : "") + parts[i];
  return text;
}

std::string PrismText(const optics::InducedPrism& prism, std::string_view decimalSeparator) {
  std::string text;
  const auto part = [&](double amount, const char* positive, const char* negative) {
    if (std::abs(amount) < 0.005) return;
    if (!text.empty()) text += ", ";
    text += FixedText(std::abs(amount), 2, decimalSeparator) + " \u0394 " +
            (amount > 0 ? positive : negative);
  };
  part(prism.baseIn, "base in", "base out");
  part(prism.baseUp, "base up", "base down");
  return text.empty() ? "no prism" : text;
}

std::string ConventionName(optics::WearConvention convention) {
  return convention == optics::WearConvention::head
             ? "head convention: tilt, then wrap about the head's vertical"
             : "frame convention: wrap within the front, then tilt";
}

std::string OrderName(optics::OrderChoice order) {
  return order == optics::OrderChoice::exact ? "exact order (ray trace)" : "ticket formula";
}

std::string OrderName(const optics::OrderSettings& settings, std::string_view decimalSeparator) {
  std::string name = OrderName(settings.order);
  if (settings.order == optics::OrderChoice::exact &&
      settings.step != optics::PowerStep::hundredth) {
    std::string step(optics::StepWord(settings.step));
    if (const auto point = step.find('.'); point != std::string::npos)
      step.replace(point, 1, decimalSeparator);
    name += " in " + step + " D steps";
  }
  return name;
}

std::string OutsideReason(const optics::AnsiResult& verdict, std::string_view decimalSeparator) {
  return ReasonIn(verdict, decimalSeparator, "\u00b0", "; ");
}

std::string OutsideReasonAscii(const optics::AnsiResult& verdict) {
  return ReasonIn(verdict, ".", " deg", ", ");
}

std::string OutsideSentence(Eye eye, const optics::AnsiResult& verdict,
                            std::string_view decimalSeparator) {
  const std::string reason = OutsideReason(verdict, decimalSeparator);
  if (reason.empty()) return {};
  return std::string(eye == Eye::right ? "Right" : "Left") +
         " lens outside ANSI Z80.1 as worn: " + reason;
}

std::string VerticalImbalanceText(const optics::AsWornResult& result,
                                  std::string_view decimalSeparator) {
  if (!result.verticalImbalance) return {};
  const bool within = result.VerticalImbalanceWithin();
  const double limit = optics::kVerticalImbalanceTolerance;
  return "vertical imbalance " +
         (within ? FixedText(*result.verticalImbalance, 2, decimalSeparator)
                 : FixedTextBeyond(*result.verticalImbalance, limit, 2, decimalSeparator)) +
         " \u0394, " + (within ? "within " : "OUTSIDE ") +
         FixedText(optics::kVerticalImbalanceTolerance, 2, decimalSeparator) + " \u0394";
}

std::string ImbalanceOutsideAscii(const optics::AsWornResult& result) {
  if (result.VerticalImbalanceWithin()) return {};
  return "vertical prism imbalance " +
         FixedTextBeyond(*result.verticalImbalance, optics::kVerticalImbalanceTolerance, 2) +
         " prism dioptres, tolerance " + FixedText(optics::kVerticalImbalanceTolerance, 2);
}

std::string CompensatingPrismText(double baseIn, std::string_view decimalSeparator) {
  if (std::abs(baseIn) < 0.005) return "no prism";
  return FixedText(std::abs(baseIn), 2, decimalSeparator) + " \u0394 " +
         (baseIn > 0 ? "base in" : "base out");
}

}  // namespace asworn::ordering
