// SPDX-License-Identifier: Apache-2.0
#include "mark_picture.h"

#include <QPainter>

namespace asworn::app {

QPixmap MarkPicture(double pixelRatio) {
  constexpr int kSide = 11;
  QPixmap picture(QSize(kSide, kSide) * pixelRatio);
  picture.setDevicePixelRatio(pixelRatio);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xc6, 0x28, 0x28));
  painter.drawEllipse(QRectF(0, 0, kSide, kSide));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(4.75, 2, 1.5, 4.5));
  painter.drawRect(QRectF(4.75, 7.5, 1.5, 1.5));
  return picture;
}

}  // namespace asworn::app
