// SPDX-License-Identifier: Apache-2.0
#pragma once
// The picture of a mark on the work ticket: a disc with an exclamation mark, which a
// greyscale print or a reader who cannot tell red from green still sees by its shape.

#include <QPixmap>

namespace asworn::app {

// A red disc with a white exclamation mark, drawn for the screen's pixel ratio.
QPixmap MarkPicture(double pixelRatio);

}  // namespace asworn::app
