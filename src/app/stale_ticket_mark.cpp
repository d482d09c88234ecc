// SPDX-License-Identifier: Apache-2.0
#include "stale_ticket_mark.h"

#include <QGroupBox>
#include <QLabel>
#include <QPalette>

#include "follow_parent_edges.h"

namespace asworn::app {

QString StaleTicketNotice(StaleReason reason) {
  switch (reason) {
    case StaleReason::settingsChanged:
      // The settings by the caption of the page that holds them.
      return QStringLiteral("Out of date: As Worn settings changed. Press Compute.");
    case StaleReason::recordLoaded:
      return QStringLiteral("Out of date: a record was loaded. Press Compute.");
    case StaleReason::entriesEdited:
      break;
  }
  return QStringLiteral("Out of date: the entries have changed. Press Compute.");
}

void StaleTicketMark::Show(bool stale, StaleReason reason) {
  if (!stale && !notice_) return;
  const QString words = stale ? StaleTicketNotice(reason) : QString();
  if (!notice_) {
    // Over the rule between the patient and the boxes, where it hides no value.
    notice_ = new QLabel(words, page_);
    notice_->setObjectName(QStringLiteral("staleTicketNotice"));
    notice_->setGeometry(twips_.Rect(120, 750, 4695, 150));
    FollowParentEdges(notice_, Growth::wider, twips_.ToPixels(120));
    QFont small = notice_->font();
    small.setBold(true);
    small.setPixelSize(twips_.ToPixels(135));
    notice_->setFont(small);
    QPalette red = notice_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    notice_->setPalette(red);
    notice_->setAutoFillBackground(true);
  }
  if (stale) notice_->setText(words);
  notice_->setVisible(stale);
  for (QLabel* label : labels_) {
    QFont font = label->font();
    font.setStrikeOut(stale);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     stale ? page_->palette().color(QPalette::Disabled, QPalette::WindowText)
                           : page_->palette().color(QPalette::Active, QPalette::WindowText));
    label->setPalette(palette);
  }
  page_->setAccessibleDescription(words);
}

}  // namespace asworn::app
