#include "as_worn_wording.h"

#include <cmath>

#include "number_text.h"

namespace asworn::optics {

std::string RxText(const SphCylAxis& rx, std::string_view decimalSeparator) {
  return FixedText(rx.sphere, 2, decimalSeparator, Sign::always) + ' ' +
         FixedText(rx.cylinder, 2, decimalSeparator, Sign::always) + " x " +
         FixedText(rx.axis, 1, decimalSeparator);
}

std::vector<std::string> PartsOutside(const AnsiResult& v, std::string_view decimalSeparator) {
  const auto dioptres = [&](const char* part, double error, double tolerance) {
    return std::string(part) + " off by " + FixedText(error, 2, decimalSeparator, Sign::always) +
           " D (\u00b1" + FixedText(tolerance, 2, decimalSeparator) + " D)";
  };
  std::vector<std::string> parts;
  if (!v.SphereWithin()) parts.push_back(dioptres("sphere", v.sphereError, v.sphereTolerance));
  if (!v.CylinderWithin())
    parts.push_back(dioptres("cylinder", v.cylinderError, v.cylinderTolerance));
  if (!v.AxisWithin())
    parts.push_back("axis off by " + FixedText(*v.axisError, 1, decimalSeparator) +
                    "\u00b0 (\u00b1" + FixedText(*v.axisTolerance, 0, decimalSeparator) +
                    "\u00b0)");
  return parts;
}

std::string VerdictText(const AnsiResult& verdict, std::string_view decimalSeparator) {
  const std::vector<std::string> parts = PartsOutside(verdict, decimalSeparator);
  if (parts.empty()) return "within tolerance";
  std::string text = "outside tolerance: ";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : "") + parts[i];
  return text;
}

std::string PrismText(const InducedPrism& prism, std::string_view decimalSeparator) {
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

}  // namespace asworn::optics
