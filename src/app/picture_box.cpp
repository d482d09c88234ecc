// SPDX-License-Identifier: Apache-2.0
#include "picture_box.h"

#include <QPainter>
#include <QPen>

#include "pictures.h"

namespace asworn::app {

PictureBox::PictureBox(const QString& name, const QString& picturePath, QSize size, QWidget* parent)
    : QFrame(parent), picturePath_(picturePath), pictureSize_(size) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
}

const QPixmap& PictureBox::picture() const {
  if (picture_.isNull()) picture_ = RenderPicture(picturePath_, pictureSize_, devicePixelRatioF());
  return picture_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.drawPixmap(contentsRect().topLeft(), picture());
  if (!hasFocus()) return;
  // A dotted frame just inside the border, as desktop controls mark the focus. Drawn here, not
  // by the style: some styles show it only after a Tab key, and a click gives focus too.
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
}

}  // namespace asworn::app
