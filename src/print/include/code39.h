// SPDX-License-Identifier: Apache-2.0
#pragma once
// Code 39 barcodes drawn with QPainter, so that one drawing serves the screen and the printer.

#include <QFont>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace asworn {

// A Code 39 symbol, start and stop characters included, measured in modules (the width of a
// narrow bar). Quiet zones are not part of it; whoever draws it leaves them blank.
struct Code39Symbol {
  struct Bar {
    double left;
    double width;
  };
  std::vector<Bar> bars;  // left to right
  double modules = 0;     // from the left edge of the first bar to the right edge of the last
  bool fullAscii = false;
};

// Blank modules either side of the bars, as Code 39 scanners expect.
inline constexpr double kCode39QuietModules = 10;

// How far modules may shrink below the preferred width to fit a long text. Preferring about
// 0.26 mm, this keeps them above 0.13 mm, the least that dense-code scanners resolve.
inline constexpr double kCode39MinModuleRatio = 0.5;

// Encodes text as Code 39. Texts of digits, capitals, space, '-' and '.' use the plain form; any
// other ASCII text the full-ASCII form, which also takes '$', '/', '+' and '%' so that a scanner
// in full-ASCII mode never reads them as shifts. Empty text, text outside ASCII, and text longer
// than the symbology allows give no symbol.
std::optional<Code39Symbol> EncodeCode39(const QString& text);

// Where the parts of a symbol go inside a rectangle.
struct Code39Layout {
  double module = 0;      // width of one module
  bool readable = false;  // module not below kCode39MinModuleRatio of the preferred width
  QRectF patch;           // bars, quiet zones and caption: the white area
  QRectF bars;            // from the first bar to the last, full bar height
  QRectF caption;         // band for the plain text under the bars, as wide as the patch
  QRectF captionRoom;     // the same band out to the left edge of the area, for a long caption
};

// Lays the symbol out right-aligned in area: the preferred module width when the symbol and its
// quiet zones fit, narrower modules when they do not (readable says whether they are still wide
// enough to scan). The lower third is left for the caption.
Code39Layout LayOutCode39(const Code39Symbol& symbol, const QRectF& area, double preferredModule);

// Draws the symbol as laid out, black bars on a white patch, with caption in plain letters
// under the bars in the given font's family. Bar edges are put on whole device pixels when a
// module is at least one device pixel wide, so raster output stays crisp.
void PaintCode39(QPainter& painter, const Code39Symbol& symbol, const Code39Layout& layout,
                 const QString& caption, const QFont& font);

}  // namespace asworn
