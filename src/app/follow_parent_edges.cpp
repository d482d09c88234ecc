// SPDX-License-Identifier: Apache-2.0
#include "follow_parent_edges.h"

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>

namespace asworn::app {
namespace {

// Watches the parent's resizes; it belongs to the control, so it goes when the control does.
class EdgeFollower : public QObject {
 public:
  EdgeFollower(QWidget* widget, Growth growth, int rightMargin, int bottomMargin)
      : QObject(widget),
        widget_(widget),
        growth_(growth),
        rightMargin_(rightMargin),
        bottomMargin_(bottomMargin) {}

  void Place() const {
    const QWidget* parent = widget_->parentWidget();
    QRect at = widget_->geometry();
    if (growth_ == Growth::alongRightEdge) {
      at.moveLeft(parent->width() - rightMargin_ - at.width());
    } else {
      at.setRight(std::max(at.left(), parent->width() - rightMargin_ - 1));
      if (growth_ == Growth::widerAndTaller)
        at.setBottom(std::max(at.top(), parent->height() - bottomMargin_ - 1));
    }
    widget_->setGeometry(at);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_->parentWidget() && event->type() == QEvent::Resize) Place();
    return false;
  }

 private:
  QWidget* widget_;
  Growth growth_;
  int rightMargin_;
  int bottomMargin_;
};

}  // namespace

void FollowParentEdges(QWidget* widget, Growth growth, int rightMargin, int bottomMargin) {
  QWidget* parent = widget->parentWidget();
  auto* follower = new EdgeFollower(widget, growth, rightMargin, bottomMargin);
  parent->installEventFilter(follower);
  if (parent->testAttribute(Qt::WA_Resized)) follower->Place();
}

}  // namespace asworn::app
