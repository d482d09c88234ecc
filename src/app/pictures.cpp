// SPDX-License-Identifier: Apache-2.0
#include "pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace asworn::app {

namespace {

QPixmap Render(QSvgRenderer& renderer, QSize size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

}  // namespace

QPixmap RenderPicture(const QString& path, QSize size, qreal devicePixelRatio) {
  QSvgRenderer renderer(path);
  return Render(renderer, size, devicePixelRatio);
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
  QSvgRenderer renderer(picture::kWindowIcon);  // read once for the four sizes
  for (int side : {16, 32, 48, 64}) icon.addPixmap(Render(renderer, {side, side}, 1.0));
  return icon;
}

}  // namespace asworn::app
