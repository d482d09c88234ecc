// SPDX-License-Identifier: Apache-2.0
#include "pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace asworn::app {

QPixmap RenderPicture(const QString& path, QSize size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QIcon SameInEveryMode(const QString& path, QSize size, qreal devicePixelRatio) {
  const QPixmap pixmap = RenderPicture(path, size, devicePixelRatio);
  QIcon icon;
  for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled, QIcon::Selected})
    for (QIcon::State state : {QIcon::Off, QIcon::On}) icon.addPixmap(pixmap, mode, state);
  return icon;
}

QIcon WindowIcon() {
  QIcon icon;
  for (int side : {16, 32, 48, 64})
    icon.addPixmap(RenderPicture(picture::kWindowIcon, {side, side}));
  return icon;
}

}  // namespace asworn::app
