// SPDX-License-Identifier: Apache-2.0
#pragma once
// A square button with a 16 by 16 picture above its caption. It acts on a click, or on Space,
// Enter or Return while it has the focus: it is never the window's default or cancel button,
// and its caption has no access key.

#include <QToolButton>

namespace asworn::app {

class PictureButton : public QToolButton {
 public:
  PictureButton(const QString& name, const QString& caption, const QString& picturePath,
                QWidget* parent);

 protected:
  // The picture centred above the caption; the caption may use the button's whole width.
  void paintEvent(QPaintEvent* event) override;
  // A caption wider than the button is set a little smaller rather than cut.
  void resizeEvent(QResizeEvent* event) override;
  // Enter and Return press the focused button as Space does.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace asworn::app
