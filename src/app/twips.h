// SPDX-License-Identifier: Apache-2.0
#pragma once
// Twips (1440 to the inch) to logical pixels. Every position and size of the window is
// stated in twips; this is the one place that turns them into pixels, by the screen's
// logical resolution, so the window keeps its proportions on a high-resolution screen.

#include <QRect>
#include <QSize>

namespace asworn::app {

inline constexpr double kTwipsPerInch = 1440.0;

class Twips {
 public:
  explicit Twips(double logicalDpi = 96.0) : dpi_(logicalDpi) {}
  // The logical resolution of the primary screen (96 when there is none).
  static Twips OfPrimaryScreen();

  double dpi() const { return dpi_; }
  int ToPixels(int twips) const;
  double ToTwips(int pixels) const;

  // Edges are converted one by one, so controls that touch in twips touch in pixels.
  QRect Rect(int left, int top, int width, int height) const;
  QSize Size(int width, int height) const;

 private:
  double dpi_;
};

}  // namespace asworn::app
