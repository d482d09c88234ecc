// SPDX-License-Identifier: Apache-2.0
#pragma once
// The tabbed control of the window: six tabs in one row of equal width, one page per tab,
// each page holding one framed group box at a fixed place measured from the control's
// top-left corner (not from the page's, which depends on the style's tab strip). The control
// may grow past its layout size: the tabs and the job sheet's frames stay as the layout has
// them, and only the frames added to grow take the room.

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
  // The width the tabs share out among them, whatever the control's width.
  void setRowWidth(int pixels) { rowWidth_ = pixels; }
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
  int rowWidth_ = 0;
  mutable QHash<QString, int> advances_;
};

class TabControl : public QTabWidget {
 public:
  // `frameRect`: where every page's frame sits, in the control's pixels, when the control is
  // `layoutSize`.
  TabControl(const QString& name, QRect frameRect, QSize layoutSize, QWidget* parent);

  enum class FrameSize { layout, grows };
  // A new page with `frame` on it; returns the tab's number. A frame that grows keeps its
  // margins to the control's edges when the control is larger than its layout size.
  int AddPage(QGroupBox* frame, const QString& caption, FrameSize size = FrameSize::layout);
  QGroupBox* frameOf(int index) const { return frames_.at(static_cast<std::size_t>(index)); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceFrames();

  QRect frameRect_;
  QSize layoutSize_;
  std::vector<QGroupBox*> frames_;
  std::vector<FrameSize> frameSizes_;
};

}  // namespace asworn::app
