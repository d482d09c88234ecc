// SPDX-License-Identifier: Apache-2.0
#include "as_worn_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

#include "accessibility.h"
#include "as_worn_report.h"
#include "as_worn_wording.h"
#include "follow_parent_edges.h"
#include "mark_picture.h"
#include "twips.h"

namespace asworn::app {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Where the marks stand: in the gap right of the "Compensated Rx" box, level with its rows,
// in the ticket frame's twips.
constexpr int kMarkLeft = 2350;
constexpr int kMarkWidth = 165;
constexpr int kMarkTops[] = {1815 + 300, 1815 + 555};
constexpr int kMarkHeight = 255;
// Pixels between the order note and the right edge of the ticket's frame.
constexpr int kOrderNoteMargin = 8;

// The "Steps" box's items, in its order.
constexpr std::array<optics::PowerStep, 3> kSteps{
    optics::PowerStep::hundredth, optics::PowerStep::eighth, optics::PowerStep::quarter};

}  // namespace

AsWornView::AsWornView(const Twips& twips, QGroupBox* workTicketFrame,
                       const optics::OrderSettings& initial) {
  page_ = new QGroupBox(QStringLiteral("As-Worn Check"));
  page_->setObjectName(QStringLiteral("asworncheck"));
  page_->setAccessibleName(page_->title());

  const auto caption = [&](const char* text, int left, int width, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), page_);
    label->setGeometry(twips.Rect(left, 270, width, 255));
    label->setBuddy(buddy);
  };
  order_ = new QComboBox(page_);
  order_->setObjectName(QStringLiteral("order"));
  order_->addItems({QStringLiteral("Ticket formula"), QStringLiteral("Exact order (ray trace)")});
  order_->setGeometry(twips.Rect(720, 240, 1800, 315));
  order_->setAccessibleName(QStringLiteral("Order"));
  caption("Order:", 120, 600, order_);
  convention_ = new QComboBox(page_);
  convention_->setObjectName(QStringLiteral("convention"));
  convention_->addItems({QStringLiteral("Frame"), QStringLiteral("Head")});
  convention_->setGeometry(twips.Rect(3840, 240, 975, 315));
  convention_->setAccessibleName(QStringLiteral("Tilt and wrap"));
  convention_->setToolTip(
      QStringLiteral("Frame: the lens wrapped within the front, then the front tilted on the "
                     "face. Head: tilted first, then turned about the head's vertical."));
  caption("Tilt and wrap:", 2640, 1200, convention_);
  steps_ = new QComboBox(page_);
  steps_->setObjectName(QStringLiteral("steps"));
  for (optics::PowerStep step : kSteps)
    steps_->addItem(QString::fromLatin1(optics::StepWord(step)) + QStringLiteral(" D"));
  steps_->setGeometry(twips.Rect(720, 570, 975, 315));
  steps_->setAccessibleName(QStringLiteral("Steps"));
  steps_->setToolTip(
      QStringLiteral("The lab's power step: the exact order's sphere and cylinder are rounded "
                     "to it and checked as rounded. The ticket formula's ticket keeps its own "
                     "0.01 D."));
  {
    auto* label = new QLabel(QStringLiteral("Steps:"), page_);
    label->setGeometry(twips.Rect(120, 600, 600, 255));
    label->setBuddy(steps_);
  }
  order_->setCurrentIndex(initial.order == optics::OrderChoice::exact ? 1 : 0);
  convention_->setCurrentIndex(initial.convention == optics::WearConvention::head ? 1 : 0);
  steps_->setCurrentIndex(
      static_cast<int>(std::find(kSteps.begin(), kSteps.end(), initial.step) - kSteps.begin()));

  report_ = new AsWornReport(page_);
  report_->setObjectName(QStringLiteral("asWornReport"));
  report_->setAccessibleName(QStringLiteral("As-worn check"));
  report_->setGeometry(twips.Rect(120, 915, 4695, 1740));
  // The page grows with the window, and the report with it.
  FollowParentEdges(report_, Growth::widerAndTaller, twips.ToPixels(120), twips.ToPixels(120));

  const double ratio = workTicketFrame->devicePixelRatioF();
  for (std::size_t i = 0; i < marks_.size(); ++i) {
    auto* eyeMark = new QLabel(workTicketFrame);
    eyeMark->setObjectName(i == 0 ? QStringLiteral("odmark") : QStringLiteral("osmark"));
    eyeMark->setPixmap(MarkPicture(ratio));
    eyeMark->setAlignment(Qt::AlignCenter);
    eyeMark->setGeometry(twips.Rect(kMarkLeft, kMarkTops[i], kMarkWidth, kMarkHeight));
    // Read before its reason, or alone while it is hidden: never the box's caption.
    SpeakAs(eyeMark, i == 0 ? QStringLiteral("Right lens as-worn mark")
                            : QStringLiteral("Left lens as-worn mark"));
    eyeMark->hide();
    marks_[i] = eyeMark;
  }
  orderNote_ = new QLabel(workTicketFrame);
  orderNote_->setObjectName(QStringLiteral("orderNote"));
  orderNote_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  orderNote_->setGeometry(twips.Rect(2520, 0, 2295, 210));
  orderNote_->setAutoFillBackground(true);
  SpeakAs(orderNote_, QStringLiteral("Order shown"));
  orderNote_->hide();
  FollowParentEdges(orderNote_, Growth::alongRightEdge, kOrderNoteMargin);

  const auto changed = [this] { emit SettingsChanged(settings()); };
  connect(order_, &QComboBox::currentIndexChanged, this, changed);
  connect(convention_, &QComboBox::currentIndexChanged, this, changed);
  connect(steps_, &QComboBox::currentIndexChanged, this, changed);
  Clear(QStringLiteral("Press Compute to check the ticket's lenses as worn."));
}

optics::OrderSettings AsWornView::settings() const {
  return {
      order_->currentIndex() == 1 ? optics::OrderChoice::exact : optics::OrderChoice::ticketFormula,
      convention_->currentIndex() == 1 ? optics::WearConvention::head
                                       : optics::WearConvention::frame,
      kSteps.at(static_cast<std::size_t>(std::max(steps_->currentIndex(), 0)))};
}

void AsWornView::Show(const optics::AsWornResult& check, const std::string& separator) {
  report_->ShowCheck(check, separator);
  const optics::EyeCheckOutcome* eyes[] = {&check.od, &check.os};
  for (std::size_t i = 0; i < marks_.size(); ++i) {
    const optics::EyeCheckOutcome& eye = *eyes[i];
    const Eye side = i == 0 ? Eye::right : Eye::left;
    QString reason;
    if (!eye.check)
      reason = QString::fromLatin1(i == 0 ? "Right" : "Left") +
               QStringLiteral(" lens not checked as worn: ") +
               Q(std::string(optics::FaultText(eye.fault)));
    else
      reason = Q(ordering::OutsideSentence(side, eye.check->verdict, separator));
    marks_[i]->setAccessibleName(reason);
    marks_[i]->setToolTip(reason);
    marks_[i]->setVisible(!reason.isEmpty());
  }
  orderNote_->setText(
      check.settings.order == optics::OrderChoice::exact
          ? QStringLiteral(" Exact order (%1) ")
                .arg(QString::fromLatin1(optics::ConventionWord(check.settings.convention)))
          : QStringLiteral(" Ticket formula "));
  orderNote_->adjustSize();
  orderNote_->move(orderNote_->parentWidget()->width() - orderNote_->width() - kOrderNoteMargin, 0);
  orderNote_->show();
  showsCheck_ = true;
}

void AsWornView::Clear(const QString& why) {
  showsCheck_ = false;
  report_->ShowNotice(why);
  for (QLabel* eyeMark : marks_) {
    eyeMark->hide();
    eyeMark->setAccessibleName({});
    eyeMark->setToolTip({});
  }
}

std::array<QWidget*, 4> AsWornView::focusOrder() const {
  return {order_, steps_, convention_, report_};
}

}  // namespace asworn::app
