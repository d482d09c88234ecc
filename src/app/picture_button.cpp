// SPDX-License-Identifier: Apache-2.0
#include "picture_button.h"

#include <QKeyEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "pictures.h"

namespace asworn::app {

PictureButton::PictureButton(const QString& name, const QString& caption,
                             const QString& picturePath, QWidget* parent)
    : QToolButton(parent) {
  setObjectName(name);
  setText(caption);
  setAccessibleName(caption);
  const QSize pictureSize(16, 16);
  setIcon(SameInEveryMode(picturePath, pictureSize, devicePixelRatioF()));
  setIconSize(pictureSize);
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setAutoRaise(false);
  setFocusPolicy(Qt::TabFocus);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawComplexControl(QStyle::CC_ToolButton, option);  // the bevel, up or down

  const int shift = isDown() ? 1 : 0;
  const QSize pictureSize = iconSize();
  const QFontMetrics metrics = fontMetrics();
  constexpr int kGap = 2;
  const int top = (height() - pictureSize.height() - kGap - metrics.height()) / 2 + shift;
  // The same picture in every state: the icon holds it for every mode.
  const QPixmap picture = icon().pixmap(pictureSize, devicePixelRatioF(), QIcon::Normal);
  painter.drawPixmap(QPoint((width() - pictureSize.width()) / 2 + shift, top), picture);
  const QRect caption(shift, top + pictureSize.height() + kGap, width(), metrics.height());
  painter.drawItemText(caption, Qt::AlignHCenter | Qt::AlignTop, palette(), isEnabled(), text(),
                       QPalette::ButtonText);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter) {
    QToolButton::keyPressEvent(event);
    return;
  }
  // A held key repeats; a press is one click, as with Space.
  if (!event->isAutoRepeat()) click();
  event->accept();
}

void PictureButton::resizeEvent(QResizeEvent* event) {
  QToolButton::resizeEvent(event);
  QFont fitted = parentWidget() ? parentWidget()->font() : font();
  while (QFontMetrics(fitted).horizontalAdvance(text()) > width() - 2 && fitted.pointSizeF() > 6)
    fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
  if (fitted != font()) setFont(fitted);
}

}  // namespace asworn::app
