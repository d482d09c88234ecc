// SPDX-License-Identifier: Apache-2.0
#include "tab_control.h"

#include <QGroupBox>
#include <QProxyStyle>
#include <QStyleOptionTab>
#include <algorithm>

namespace asworn::app {

namespace {

// The platform's style, but with a narrower margin beside the tab captions, so that six of
// them fit in one row of the control's width.
class TabStripStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return TabStrip::kCaptionMargin;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {
  auto* narrow = new TabStripStyle;
  narrow->setParent(this);
  setStyle(narrow);
  setObjectName(QStringLiteral("SSTab1_tabs"));
  setUsesScrollButtons(false);
  setExpanding(true);
  setElideMode(Qt::ElideNone);
  setDrawBase(true);
}

QSize TabStrip::tabSizeHint(int index) const {
  QSize hint = QTabBar::tabSizeHint(index);
  if (maxTabHeight_ > 0) hint.setHeight(std::min(hint.height(), maxTabHeight_));
  // All tabs in one row across the control: each as wide as its caption, the room left over
  // shared out evenly, so no caption is cut and no scroll button is needed.
  const QWidget* control = parentWidget();
  if (!control || count() == 0) return hint;
  int captions = 0;
  for (int i = 0; i < count(); ++i) captions += CaptionAdvance(font(), tabText(i));
  const int room = rowWidth_ > 0 ? rowWidth_ : control->width() - 4;
  const int share = std::max(4, (room - captions) / count());
  hint.setWidth(CaptionAdvance(font(), tabText(index)) + share);
  return hint;
}

int TabStrip::CaptionAdvance(const QFont& font, const QString& caption) const {
  // Every tab's hint sums all the captions, and the strip asks for every tab's hint on each
  // layout: measured once, not once per tab per layout.
  const QString key = font.key() + QChar(u'\n') + caption;
  const auto known = advances_.constFind(key);
  if (known != advances_.cend()) return *known;
  const int advance = QFontMetrics(font).horizontalAdvance(caption);
  advances_.insert(key, advance);
  return advance;
}

void TabStrip::FitCaptions(int width) {
  constexpr int padding = kCaptionMargin + 2;
  QFont fitted = parentWidget() ? parentWidget()->font() : font();
  auto needed = [&](const QFont& f) {
    int total = 0;
    for (int i = 0; i < count(); ++i) total += CaptionAdvance(f, tabText(i)) + padding;
    return total;
  };
  while (needed(fitted) > width && fitted.pointSizeF() > 6)
    fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
  if (fitted != font()) setFont(fitted);
}

QRect TabStrip::CaptionRect(int index) const {
  QStyleOptionTab option;
  initStyleOption(&option, index);
  return style()->subElementRect(QStyle::SE_TabBarTabText, &option, this);
}

QSize TabStrip::minimumTabSizeHint(int index) const {
  return tabSizeHint(index);
}

TabControl::TabControl(const QString& name, QRect frameRect, QSize layoutSize, QWidget* parent)
    : QTabWidget(parent), frameRect_(frameRect), layoutSize_(layoutSize) {
  setObjectName(name);
  auto* strip = new TabStrip(this);
  strip->setRowWidth(layoutSize.width() - 4);
  // The page's frame border sits just below the strip.
  strip->setMaxTabHeight(frameRect.top() - 2);
  setTabBar(strip);
  setUsesScrollButtons(false);
  setElideMode(Qt::ElideNone);
  setDocumentMode(false);
}

int TabControl::AddPage(QGroupBox* frame, const QString& caption, FrameSize size) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("SSTab1_page%1").arg(count()));
  // The page takes the focus when the field that had it is hidden with another page.
  page->setAccessibleName(caption + QStringLiteral(" page"));
  frame->setParent(page);
  frame->resize(frameRect_.size());
  frames_.push_back(frame);
  frameSizes_.push_back(size);
  const int index = addTab(page, caption);
  static_cast<TabStrip*>(tabBar())->FitCaptions(layoutSize_.width() - 4);
  PlaceFrames();
  return index;
}

void TabControl::resizeEvent(QResizeEvent* event) {
  QTabWidget::resizeEvent(event);
  PlaceFrames();
}

void TabControl::showEvent(QShowEvent* event) {
  QTabWidget::showEvent(event);
  PlaceFrames();
}

void TabControl::PlaceFrames() {
  for (int i = 0; i < count(); ++i) {
    QWidget* page = widget(i);
    // The pages fill the control's page stack; the frame's place is given from the
    // control's corner, so subtract where the stack begins.
    const QWidget* stack = page->parentWidget();
    const QPoint pageOrigin = stack && stack != this ? stack->geometry().topLeft() : QPoint();
    QPoint at = frameRect_.topLeft() - pageOrigin;
    // A style whose tab strip is taller than the gap above the frame would hide the frame's
    // caption under the strip: keep the frame on its page then.
    at.setY(std::max(0, at.y()));
    const auto frame = static_cast<std::size_t>(i);
    frames_[frame]->move(at);
    if (frameSizes_[frame] == FrameSize::grows)
      frames_[frame]->resize(frameRect_.size() + (size() - layoutSize_).expandedTo(QSize(0, 0)));
  }
}

}  // namespace asworn::app
