// SPDX-License-Identifier: Apache-2.0
#include "picture_box.h"

#include <QPainter>
#include <QPen>

namespace asworn::app {

PictureBox::PictureBox(const QString& name, QPixmap picture, QWidget* parent)
    : QFrame(parent), picture_(std::move(picture)) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.drawPixmap(contentsRect().topLeft(), picture_);
  if (!hasFocus()) return;
  // A dotted frame just inside the border, as desktop controls mark the focus. Drawn here, not
  // by the style: some styles show it only after a Tab key, and a click gives focus too.
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
}

}  // namespace asworn::app
