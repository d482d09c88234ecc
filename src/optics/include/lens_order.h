// SPDX-License-Identifier: Apache-2.0
#pragma once
// Which lens a ticket orders: the ticket formula's compensation, or the exact order that gives
// the required power as worn. And the reading of tilt and wrap the check and the exact order
// use. Both are the user's choice; the defaults give the tickets the program has always given.

#include <optional>
#include <string_view>

namespace asworn::optics {

// Which rotation comes first. frame: the lens is wrapped within the front, then the whole
// front is tilted on the face (both angles as a dispenser measures them). head: tilted, then
// turned about the head's vertical.
enum class WearConvention { frame, head };

enum class OrderChoice { ticketFormula, exact };

// The step a lab surfaces and writes powers in: 0.01 D, 0.125 D or 0.25 D.
enum class PowerStep { hundredth, eighth, quarter };

struct OrderSettings {
  OrderChoice order = OrderChoice::ticketFormula;
  WearConvention convention = WearConvention::frame;
  PowerStep step = PowerStep::hundredth;  // of the exact order, and of every lens a lab is sent
  friend bool operator==(const OrderSettings&, const OrderSettings&) = default;
};

// How many steps make a dioptre: 100, 8 or 4.
int StepsPerDioptre(PowerStep step);

// The words of the command line and of the stored setting: "ticket" or "exact", "frame" or
// "head"; none for any other word.
std::string_view OrderWord(OrderChoice order);
std::optional<OrderChoice> OrderFromWord(std::string_view word);
std::string_view ConventionWord(WearConvention convention);
std::optional<WearConvention> ConventionFromWord(std::string_view word);
// "0.01", "0.125" or "0.25".
std::string_view StepWord(PowerStep step);
std::optional<PowerStep> StepFromWord(std::string_view word);

}  // namespace asworn::optics
