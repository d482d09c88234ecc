// SPDX-License-Identifier: Apache-2.0
#include "ticket_state.h"

namespace asworn::app {

void TicketState::Computed(const optics::AsWornResult& check) {
  computed_ = true;
  check_ = check;
  emit Changed();
}

void TicketState::Invalidate(StaleReason reason) {
  // Each of the 21 entries reports its own change: only a new state is worth a signal.
  if (!current() && reason == reason_) return;
  check_.reset();
  reason_ = reason;
  emit Changed();
}

}  // namespace asworn::app
