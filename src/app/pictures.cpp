// SPDX-License-Identifier: Apache-2.0
#include "pictures.h"

#include <QIconEngine>
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

namespace {

// One picture for every mode and state, drawn on first use and kept.
class PictureIconEngine : public QIconEngine {
 public:
  PictureIconEngine(const QString& path, QSize size, qreal devicePixelRatio)
      : path_(path), size_(size), ratio_(devicePixelRatio) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const QPixmap& drawn = Picture();
    // Never larger than drawn; smaller when asked, as an icon of one pixmap gives it.
    const QSize fitted = drawn.size().scaled(drawn.size().boundedTo(size), Qt::KeepAspectRatio);
    if (fitted == drawn.size()) return drawn;
    return drawn.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect,
                        pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state));
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const QSize drawn = size_ * ratio_;
    return drawn.scaled(drawn.boundedTo(size), Qt::KeepAspectRatio);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {size_ * ratio_}; }
  QIconEngine* clone() const override { return new PictureIconEngine(*this); }
  QString key() const override { return QStringLiteral("asworn.picture"); }

 private:
  const QPixmap& Picture() {
    if (drawn_.isNull()) drawn_ = RenderPicture(path_, size_, ratio_);
    return drawn_;
  }

  QString path_;
  QSize size_;
  qreal ratio_;
  QPixmap drawn_;
};

}  // namespace

QIcon SameInEveryMode(const QString& path, QSize size, qreal devicePixelRatio) {
  return QIcon(new PictureIconEngine(path, size, devicePixelRatio));
}

QIcon WindowIcon() {
  QIcon icon;
  QSvgRenderer renderer(picture::kWindowIcon);  // read once for the four sizes
  for (int side : {16, 32, 48, 64}) icon.addPixmap(Render(renderer, {side, side}, 1.0));
  return icon;
}

}  // namespace asworn::app
