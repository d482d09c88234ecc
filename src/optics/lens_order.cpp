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

}  // namespace asworn::optics
