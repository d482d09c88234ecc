// SPDX-License-Identifier: Apache-2.0
#include "pair_mark.h"

#include <QGroupBox>
#include <QLabel>

#include "accessibility.h"
#include "as_worn_wording.h"
#include "mark_picture.h"
#include "twips.h"

namespace asworn::app {

std::string PairOutsideSentence(const optics::AsWornResult& check, const std::string& separator) {
  if (check.VerticalImbalanceWithin()) return {};
  return "Pair outside ANSI Z80.1 as worn: " + ordering::VerticalImbalanceText(check, separator);
}

PairMark::PairMark(const Twips& twips, QGroupBox* prismBox) : mark_(new QLabel(prismBox)) {
  mark_->setObjectName(QStringLiteral("pairmark"));
  mark_->setPixmap(MarkPicture(prismBox->devicePixelRatioF()));
  mark_->setAlignment(Qt::AlignCenter);
  mark_->setGeometry(twips.Rect(kPairMarkLeft, kPairMarkTop, kPairMarkWidth, kPairMarkHeight));
  // Read before its reason, or alone while it is hidden: never the box's caption.
  SpeakAs(mark_, QStringLiteral("Pair as-worn mark"));
  mark_->hide();
}

void PairMark::Show(const optics::AsWornResult& check, const std::string& separator) {
  const QString reason = QString::fromStdString(PairOutsideSentence(check, separator));
  mark_->setAccessibleName(reason);
  mark_->setToolTip(reason);
  mark_->setVisible(!reason.isEmpty());
}

void PairMark::Clear() {
  mark_->hide();
  mark_->setAccessibleName({});
  mark_->setToolTip({});
}

}  // namespace asworn::app
