// SPDX-License-Identifier: Apache-2.0
#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace asworn::app {

Twips Twips::OfPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return Twips(screen ? screen->logicalDotsPerInchX() : 96.0);
}

int Twips::ToPixels(int twips) const {
  return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch));
}

double Twips::ToTwips(int pixels) const {
  return pixels * kTwipsPerInch / dpi_;
}

QRect Twips::Rect(int left, int top, int width, int height) const {
  const int x = ToPixels(left);
  const int y = ToPixels(top);
  return QRect(x, y, ToPixels(left + width) - x, ToPixels(top + height) - y);
}

QSize Twips::Size(int width, int height) const {
  return QSize(ToPixels(width), ToPixels(height));
}

}  // namespace asworn::app
