// SPDX-License-Identifier: Apache-2.0
#include "lens_order.h"

namespace asworn::optics {

std::string_view OrderWord(OrderChoice order) {
  return order == OrderChoice::exact ? "exact" : "ticket";
}

std::optional<OrderChoice> OrderFromWord(std::string_view word) {
  if (word == "ticket") return OrderChoice::ticketFormula;
  if (word == "exact") return OrderChoice::exact;
  return std::nullopt;
}

std::string_view ConventionWord(WearConvention convention) {
  return convention == WearConvention::head ? "head" : "frame";
}

std::optional<WearConvention> ConventionFromWord(std::string_view word) {
  if (word == "frame") return WearConvention::frame;
  if (word == "head") return WearConvention::head;
  return std::nullopt;
}

int StepsPerDioptre(PowerStep step) {
  switch (step) {
    case PowerStep::eighth:
      return 8;
    case PowerStep::quarter:
      return 4;
    case PowerStep::hundredth:
      break;
  }
  return 100;
}

std::string_view StepWord(PowerStep step) {
  switch (step) {
    case PowerStep::eighth:
      return "0.125";
    case PowerStep::quarter:
      return "0.25";
    case PowerStep::hundredth:
      break;
  }
  return "0.01";
}

std::optional<PowerStep> StepFromWord(std::string_view word) {
  for (PowerStep step : {PowerStep::hundredth, PowerStep::eighth, PowerStep::quarter})
    if (word == StepWord(step)) return step;
  return std::nullopt;
}

}  // namespace asworn::optics
