// SPDX-License-Identifier: Apache-2.0
#pragma once
// --order, --convention and --steps: which lens a command orders, how it reads tilt and wrap
// and the lab's power step.

#include "lens_order.h"

namespace CLI {
class App;
}

namespace asworn::cli {

// Adds the options to `command`, writing into `settings`; the defaults are the ticket formula,
// the frame convention and 0.01 D.
void AddOrderOptions(CLI::App& command, optics::OrderSettings& settings);

}  // namespace asworn::cli
