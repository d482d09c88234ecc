#include "picture_box.h"

#include <QPainter>

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
}

}  // namespace asworn::app
