#include "as_worn_wording.h"

#include <cmath>
#include <cstdio>

namespace asworn::optics {
namespace {

template <typename... Numbers>
std::string Printed(const char* pattern, Numbers... numbers) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, pattern, numbers...);
  return buffer;
}

// A value that prints as zero prints without a sign.
double Unsigned0(double value, double step) {
  return std::abs(value) < step / 2 ? 0.0 : value;
}

}  // namespace

std::string RxText(const SphCylAxis& rx) {
  return Printed("%+.2f %+.2f x %.1f", Unsigned0(rx.sphere, 0.01), Unsigned0(rx.cylinder, 0.01),
                 rx.axis);
}

std::vector<std::string> PartsOutside(const AnsiResult& v) {
  std::vector<std::string> parts;
  if (!v.SphereWithin())
    parts.push_back(
        Printed("sphere off by %+.2f D (\u00b1%.2f D)", v.sphereError, v.sphereTolerance));
  if (!v.CylinderWithin())
    parts.push_back(
        Printed("cylinder off by %+.2f D (\u00b1%.2f D)", v.cylinderError, v.cylinderTolerance));
  if (!v.AxisWithin())
    parts.push_back(
        Printed("axis off by %.1f\u00b0 (\u00b1%.0f\u00b0)", *v.axisError, *v.axisTolerance));
  return parts;
}

std::string VerdictText(const AnsiResult& verdict) {
  const std::vector<std::string> parts = PartsOutside(verdict);
  if (parts.empty()) return "within tolerance";
  std::string text = "outside tolerance: ";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : "") + parts[i];
  return text;
}

std::string PrismText(const InducedPrism& prism) {
  std::string text;
  const auto part = [&](double amount, const char* positive, const char* negative) {
    if (std::abs(amount) < 0.005) return;
    if (!text.empty()) text += ", ";
    text += Printed("%.2f \u0394 ", std::abs(amount)) + (amount > 0 ? positive : negative);
  };
  part(prism.baseIn, "base in", "base out");
  part(prism.baseUp, "base up", "base down");
  return text.empty() ? "no prism" : text;
}

std::string ConventionName(WearConvention convention) {
  return convention == WearConvention::head
             ? "head convention: tilt, then wrap about the head's vertical"
             : "frame convention: wrap within the front, then tilt";
}

std::string OrderName(OrderChoice order) {
  return order == OrderChoice::exact ? "exact order (ray trace)" : "ticket formula";
}

std::string OutsideReason(const AnsiResult& v) {
  std::string text;
  const auto add = [&](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
  if (!v.AxisWithin())
    add(Printed("axis off by %.1f\u00b0, tolerance %.0f\u00b0", *v.axisError, *v.axisTolerance));
  if (!v.SphereWithin())
    add(Printed("sphere off by %+.2f D, tolerance %.2f D", v.sphereError, v.sphereTolerance));
  if (!v.CylinderWithin())
    add(Printed("cylinder off by %+.2f D, tolerance %.2f D", v.cylinderError, v.cylinderTolerance));
  return text;
}

std::string OutsideSentence(Eye eye, const AnsiResult& verdict) {
  const std::string reason = OutsideReason(verdict);
  if (reason.empty()) return {};
  return std::string(eye == Eye::right ? "Right" : "Left") +
         " lens outside ANSI Z80.1 as worn: " + reason;
}

std::string VerticalImbalanceText(const AsWornResult& result) {
  if (!result.verticalImbalance) return {};
  return Printed("vertical imbalance %.2f \u0394, %s %.2f \u0394", *result.verticalImbalance,
                 result.VerticalImbalanceWithin() ? "within" : "OUTSIDE",
                 kVerticalImbalanceTolerance);
}

std::string CompensatingPrismText(double baseIn) {
  if (std::abs(baseIn) < 0.005) return "no prism";
  return Printed("%.2f \u0394 ", std::abs(baseIn)) + (baseIn > 0 ? "base in" : "base out");
}

}  // namespace asworn::optics
