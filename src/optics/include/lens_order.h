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

struct OrderSettings {
  OrderChoice order = OrderChoice::ticketFormula;
  WearConvention convention = WearConvention::frame;
  friend bool operator==(const OrderSettings&, const OrderSettings&) = default;
};

// The words of the command line and of the stored setting: "ticket" or "exact", "frame" or
// "head"; none for any other word.
std::string_view OrderWord(OrderChoice order);
std::optional<OrderChoice> OrderFromWord(std::string_view word);
std::string_view ConventionWord(WearConvention convention);
std::optional<WearConvention> ConventionFromWord(std::string_view word);

}  // namespace asworn::optics
