#pragma once
// The as-worn check on the printed ticket: real text below the window's image, so that it can
// be searched and read at any size.

#include <QRectF>
#include <QString>
#include <vector>

#include "as_worn_check.h"

class QPainter;

namespace asworn {

inline constexpr char kAsWornCheckHeading[] = "As-worn check (exact ray trace)";

struct CheckLine {
  QString text;
  bool bold = false;
  bool indented = false;
};

// The heading; a ticket outside tolerance says so next, in bold; then for each eye the lens as
// ordered, its power as worn, the required power, the verdict, the exact order and the prism
// the lens induces, in words.
std::vector<CheckLine> AsWornCheckLines(const optics::AsWornResult& result);

// Height the block takes at the given width on the painter's device, in its pixels.
double AsWornCheckHeight(QPainter& painter, double width, const optics::AsWornResult& result);

// Draws the block at the top of `area`, wrapping long lines.
void DrawAsWornCheck(QPainter& painter, const QRectF& area, const optics::AsWornResult& result);

}  // namespace asworn
