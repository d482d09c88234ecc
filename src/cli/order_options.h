// SPDX-License-Identifier: Apache-2.0
#pragma once
// --order and --convention: which lens a command orders and how it reads tilt and wrap.

#include "lens_order.h"

namespace CLI {
class App;
}

namespace asworn::cli {

// Adds both options to `command`, writing into `settings`; the defaults are the ticket
// formula and the frame convention.
void AddOrderOptions(CLI::App& command, optics::OrderSettings& settings);

}  // namespace asworn::cli
