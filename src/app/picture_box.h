// SPDX-License-Identifier: Apache-2.0
#pragma once
// A bordered box showing a picture at its top left. It can take the keyboard focus, which
// does nothing but keep its place in the focus order; a focus frame shows where the focus is.

#include <QFrame>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace asworn::app {

class PictureBox : public QFrame {
 public:
  // The picture at `picturePath`, `size` logical pixels, drawn when first needed: the box
  // sits on a page that is hidden at start-up.
  PictureBox(const QString& name, const QString& picturePath, QSize size, QWidget* parent);
  const QPixmap& picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString picturePath_;
  QSize pictureSize_;
  mutable QPixmap picture_;
};

}  // namespace asworn::app
