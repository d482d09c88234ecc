// SPDX-License-Identifier: Apache-2.0
#pragma once
// A bordered box showing a picture at its top left. It can take the keyboard focus, which
// does nothing but keep its place in the focus order; a focus frame shows where the focus is.

#include <QFrame>
#include <QPixmap>

namespace asworn::app {

class PictureBox : public QFrame {
 public:
  PictureBox(const QString& name, QPixmap picture, QWidget* parent);
  const QPixmap& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace asworn::app
