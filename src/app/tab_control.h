// SPDX-License-Identifier: Apache-2.0
#pragma once
// The tabbed control of the window: six tabs in one row of equal width, one page per tab,
// each page holding one framed group box at a fixed place measured from the control's
// top-left corner (not from the page's, which depends on the style's tab strip).

#include <QHash>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

class QGroupBox;

namespace asworn::app {

class TabStrip : public QTabBar {
 public:
  explicit TabStrip(QWidget* parent);
  // The tabs are no taller than this, so the strip ends above the pages' frames.
  void setMaxTabHeight(int pixels) { maxTabHeight_ = pixels; }
  // Sets the captions a little smaller when all of them, with the style's room around each,
  // would not fit in one row `width` pixels wide.
  void FitCaptions(int width);
  // Where the style draws the caption of tab `index`; the caption is cut to it.
  QRect CaptionRect(int index) const;

  // Pixels a tab keeps free beside its caption.
  static constexpr int kCaptionMargin = 8;

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override;

 private:
  // The width of `caption` set in `font`, remembered per font and caption.
  int CaptionAdvance(const QFont& font, const QString& caption) const;

  int maxTabHeight_ = 0;
  mutable QHash<QString, int> advances_;
};

class TabControl : public QTabWidget {
 public:
  // `frameRect`: where every page's frame sits, in the control's pixels.
  TabControl(const QString& name, QRect frameRect, QWidget* parent);

  // A new page with `frame` on it; returns the tab's number.
  int AddPage(QGroupBox* frame, const QString& caption);
  QGroupBox* frameOf(int index) const { return frames_.at(static_cast<std::size_t>(index)); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceFrames();

  QRect frameRect_;
  std::vector<QGroupBox*> frames_;
};

}  // namespace asworn::app
