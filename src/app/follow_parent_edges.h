// SPDX-License-Identifier: Apache-2.0
#pragma once
// A control placed by the layout's twips that takes the room a grown parent gives it: its
// left and top stay, its right (and bottom) edge keeps its distance to the parent's.

class QWidget;

namespace asworn::app {

enum class Growth {
  wider,           // the right edge follows the parent's
  widerAndTaller,  // the right and bottom edges follow the parent's
  alongRightEdge,  // the whole control moves with the parent's right edge, keeping its size
};

// From now on, and at once when the parent has a size: `rightMargin` and `bottomMargin` are
// the pixels kept between the control's edges and the parent's.
void FollowParentEdges(QWidget* widget, Growth growth, int rightMargin, int bottomMargin = 0);

}  // namespace asworn::app
