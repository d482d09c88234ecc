// SPDX-License-Identifier: Apache-2.0
#pragma once
// How the "Work Ticket" page shows that its labels are not the ticket of the entries as they
// stand: every label greyed and struck through, a notice across the page, and the same in
// the words a screen reader speaks.

#include <QLabel>
#include <QPointer>
#include <QString>
#include <array>

#include "ticket_state.h"
#include "twips.h"
#include "work_ticket.h"

class QGroupBox;

namespace asworn::app {

// The notice, also what a screen reader says for the page while the ticket is out of date.
QString StaleTicketNotice(StaleReason reason);

class StaleTicketMark {
 public:
  StaleTicketMark(QGroupBox* page, const std::array<QLabel*, kLabelCount>& labels,
                  const Twips& twips)
      : page_(page), labels_(labels), twips_(twips) {}

  // Shows the ticket out of date for `reason`, or current.
  void Show(bool stale, StaleReason reason);
  // The notice label, none until the ticket first went out of date.
  QLabel* notice() const { return notice_.data(); }

 private:
  QGroupBox* page_;
  std::array<QLabel*, kLabelCount> labels_;
  Twips twips_;
  // Made on first need, so that a current ticket's page holds no trace; the page owns it.
  QPointer<QLabel> notice_;
};

}  // namespace asworn::app
