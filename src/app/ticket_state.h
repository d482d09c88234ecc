// SPDX-License-Identifier: Apache-2.0
#pragma once
// Whether the work ticket on the window, and the as-worn check made with it, belong to the
// entries and settings as they stand. One holder, one way to fall behind: the ticket's labels,
// the notice over them, the marks and the "As Worn" page all follow its signal.

#include <QObject>
#include <optional>

#include "as_worn_check.h"

namespace asworn::app {

// What left the ticket behind.
enum class StaleReason { entriesEdited, settingsChanged, recordLoaded };

class TicketState : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The labels hold a computed ticket, current or not; the start-up ticket is no one's.
  bool computed() const { return computed_; }
  bool current() const { return check_.has_value(); }
  // Why the ticket is out of date; meaningless while it is current.
  StaleReason reason() const { return reason_; }
  // The check made with the current ticket; none once it fell behind.
  const std::optional<optics::AsWornResult>& check() const { return check_; }

  // A Compute wrote the ticket and made its check.
  void Computed(const optics::AsWornResult& check);
  // The ticket no longer belongs to the entries and settings; its check goes with it.
  void Invalidate(StaleReason reason);

 signals:
  void Changed();

 private:
  bool computed_ = false;
  StaleReason reason_ = StaleReason::entriesEdited;
  std::optional<optics::AsWornResult> check_;
};

}  // namespace asworn::app
