// SPDX-License-Identifier: Apache-2.0
#include "as_worn_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTextBrowser>

#include "accessibility.h"
#include "as_worn_wording.h"
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

// A power stays on one line; a verdict or a prism wraps.
QString Cell(const QString& text, bool bold = false) {
  const QString escaped = text.toHtmlEscaped();
  const bool oneLine = text.contains(QStringLiteral(" x "));
  return QString::fromLatin1(oneLine ? "<td style=\"white-space:nowrap\">" : "<td>") +
         (bold ? QStringLiteral("<b>") + escaped + QStringLiteral("</b>") : escaped) +
         QStringLiteral("</td>");
}

QString Row(const QString& caption, const QString& right, const QString& left, bool bold = false) {
  return QStringLiteral("<tr>") + Cell(caption) + Cell(right, bold) + Cell(left, bold) +
         QStringLiteral("</tr>");
}

}  // namespace

QString AsWornReportHtml(const optics::AsWornResult& check, const std::string& separator) {
  const optics::EyeCheckOutcome* eyes[] = {&check.od, &check.os};
  const auto row = [&](const char* caption, auto text, bool bold = false) {
    QString cells[2];
    for (int i = 0; i < 2; ++i) cells[i] = eyes[i]->check ? Q(text(*eyes[i]->check)) : QString();
    return Row(QString::fromUtf8(caption), cells[0], cells[1], bold);
  };
  const bool outside = (check.od.check && !check.od.check->verdict.Within()) ||
                       (check.os.check && !check.os.check->verdict.Within());
  QString html = QStringLiteral("<table cellspacing=0 cellpadding=1>");
  html += Row({}, QStringLiteral("Right (OD)"), QStringLiteral("Left (OS)"), true);
  html += row("Required",
              [&](const optics::EyeCheck& c) { return ordering::RxText(c.required, separator); });
  html += row("Lens ordered",
              [&](const optics::EyeCheck& c) { return ordering::RxText(c.ordered, separator); });
  html += row("As worn",
              [&](const optics::EyeCheck& c) { return ordering::RxText(c.worn, separator); });
  html += row(
      "ANSI Z80.1",
      [&](const optics::EyeCheck& c) {
        return c.verdict.Within() ? std::string("within tolerance")
                                  : "OUTSIDE: " + ordering::OutsideReason(c.verdict, separator);
      },
      outside);
  html += row("Exact order",
              [&](const optics::EyeCheck& c) { return ordering::RxText(c.exactOrder, separator); });
  html += row("Induced prism",
              [&](const optics::EyeCheck& c) { return ordering::PrismText(c.prism, separator); });
  if (check.settings.order == optics::OrderChoice::exact)
    html += row("Prism ground in", [&](const optics::EyeCheck& c) {
      return ordering::CompensatingPrismText(c.compensatingPrism, separator);
    });
  QString untraced[2];
  for (int i = 0; i < 2; ++i)
    if (!eyes[i]->check)
      untraced[i] =
          QStringLiteral("cannot be traced: ") + Q(std::string(optics::FaultText(eyes[i]->fault)));
  if (!untraced[0].isEmpty() || !untraced[1].isEmpty())
    html += Row(QStringLiteral("Not checked"), untraced[0], untraced[1], true);
  html += QStringLiteral("</table><p>");
  if (check.verticalImbalance)
    html += QStringLiteral("Pair: ") +
            Q(ordering::VerticalImbalanceText(check, separator)).toHtmlEscaped() +
            QStringLiteral(" (mounted pair).<br>");
  html += QStringLiteral("Lens ordered by the ") + Q(ordering::OrderName(check.settings.order)) +
          QStringLiteral("; tilt and wrap in the ") +
          Q(ordering::ConventionName(check.settings.convention)).toHtmlEscaped() +
          QStringLiteral(".</p>");
  return html;
}

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
  order_->setCurrentIndex(initial.order == optics::OrderChoice::exact ? 1 : 0);
  convention_->setCurrentIndex(initial.convention == optics::WearConvention::head ? 1 : 0);

  report_ = new QTextBrowser(page_);
  report_->setObjectName(QStringLiteral("asWornReport"));
  report_->setAccessibleName(QStringLiteral("As-worn check"));
  report_->setGeometry(twips.Rect(120, 660, 4695, 1995));
  QFont small = report_->font();
  small.setPointSizeF(7);
  report_->setFont(small);

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

  const auto changed = [this] { emit SettingsChanged(settings()); };
  connect(order_, &QComboBox::currentIndexChanged, this, changed);
  connect(convention_, &QComboBox::currentIndexChanged, this, changed);
  Clear(QStringLiteral("Press Compute to check the ticket's lenses as worn."));
}

optics::OrderSettings AsWornView::settings() const {
  return {
      order_->currentIndex() == 1 ? optics::OrderChoice::exact : optics::OrderChoice::ticketFormula,
      convention_->currentIndex() == 1 ? optics::WearConvention::head
                                       : optics::WearConvention::frame};
}

void AsWornView::Show(const optics::AsWornResult& check, const std::string& separator) {
  report_->setHtml(AsWornReportHtml(check, separator));
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
  orderNote_->move(orderNote_->parentWidget()->width() - orderNote_->width() - 8, 0);
  orderNote_->show();
  showsCheck_ = true;
}

void AsWornView::Clear(const QString& why) {
  showsCheck_ = false;
  report_->setPlainText(why);
  for (QLabel* eyeMark : marks_) {
    eyeMark->hide();
    eyeMark->setAccessibleName({});
    eyeMark->setToolTip({});
  }
}

std::array<QWidget*, 3> AsWornView::focusOrder() const {
  return {order_, convention_, report_};
}

}  // namespace asworn::app
