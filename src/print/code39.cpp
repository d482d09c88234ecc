// SPDX-License-Identifier: Apache-2.0
#include "code39.h"

#include <zint.h>

#include <QByteArray>
#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <memory>

namespace asworn {
namespace {

// Characters that read the same whether or not the scanner is in full-ASCII mode.
bool IsUnshiftedCode39(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u' ' || c == u'-' ||
         c == u'.';
}

struct ZintDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// Puts a horizontal position on the nearest device pixel edge.
class PixelSnap {
 public:
  PixelSnap(const QPainter& painter, double module) {
    const QTransform t = painter.deviceTransform();
    if (t.type() <= QTransform::TxScale && t.m11() > 0 && module * t.m11() >= 1.0) {
      scale_ = t.m11();
      offset_ = t.dx();
    }
  }
  double operator()(double x) const {
    if (scale_ == 0) return x;
    return (std::round(x * scale_ + offset_) - offset_) / scale_;
  }

 private:
  double scale_ = 0;
  double offset_ = 0;
};

}  // namespace

std::optional<Code39Symbol> EncodeCode39(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  bool unshifted = true;
  for (const QChar c : text) {
    if (c.unicode() > 0x7F) return std::nullopt;
    unshifted = unshifted && IsUnshiftedCode39(c.unicode());
  }
  const QByteArray ascii = text.toLatin1();

  const std::unique_ptr<zint_symbol, ZintDeleter> z(ZBarcode_Create());
  if (!z) return std::nullopt;
  z->symbology = unshifted ? BARCODE_CODE39 : BARCODE_EXCODE39;
  z->input_mode = DATA_MODE;
  z->option_2 = 0;  // no check character: the symbol reads back as the text itself
  z->show_hrt = 0;
  const int rc = ZBarcode_Encode_and_Buffer_Vector(
      z.get(), reinterpret_cast<const unsigned char*>(ascii.constData()), int(ascii.size()), 0);
  if (rc >= ZINT_ERROR || z->vector == nullptr || z->width <= 0 || z->vector->width <= 0) {
    return std::nullopt;
  }

  Code39Symbol symbol;
  symbol.fullAscii = !unshifted;
  symbol.modules = z->width;
  const double unit = double(z->vector->width) / z->width;
  for (const zint_vector_rect* r = z->vector->rectangles; r != nullptr; r = r->next) {
    if (r->colour != -1) continue;
    symbol.bars.push_back({r->x / unit, r->width / unit});
  }
  std::sort(symbol.bars.begin(), symbol.bars.end(),
            [](const Code39Symbol::Bar& a, const Code39Symbol::Bar& b) { return a.left < b.left; });
  if (symbol.bars.empty()) return std::nullopt;
  return symbol;
}

Code39Layout LayOutCode39(const Code39Symbol& symbol, const QRectF& area, double preferredModule) {
  Code39Layout layout;
  const double total = symbol.modules + 2 * kCode39QuietModules;
  layout.module = std::min(preferredModule, area.width() / total);
  layout.readable = layout.module > 0 && layout.module >= kCode39MinModuleRatio * preferredModule;
  const double patchWidth = total * layout.module;
  const double captionHeight = area.height() / 3;
  layout.patch = QRectF(area.right() - patchWidth, area.top(), patchWidth, area.height());
  layout.bars = QRectF(layout.patch.left() + kCode39QuietModules * layout.module, area.top(),
                       symbol.modules * layout.module, area.height() - captionHeight);
  layout.caption = QRectF(layout.patch.left(), layout.bars.bottom(), patchWidth, captionHeight);
  layout.captionRoom = QRectF(area.left(), layout.caption.top(), area.width(), captionHeight);
  return layout;
}

void PaintCode39(QPainter& painter, const Code39Symbol& symbol, const Code39Layout& layout,
                 const QString& caption, const QFont& font) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.fillRect(layout.patch, Qt::white);

  const PixelSnap snap(painter, layout.module);
  for (const Code39Symbol::Bar& bar : symbol.bars) {
    const double left = snap(layout.bars.left() + bar.left * layout.module);
    const double right = snap(layout.bars.left() + (bar.left + bar.width) * layout.module);
    painter.fillRect(QRectF(left, layout.bars.top(), right - left, layout.bars.height()),
                     Qt::black);
  }

  QFont captionFont = font;
  captionFont.setPixelSize(std::max(1, int(layout.caption.height() * 0.85)));
  painter.setFont(captionFont);
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(captionFont);
  // Centred under the bars; a caption wider than the patch stays right-aligned with it and runs
  // out to the left, and is cut short with an ellipsis only where the area ends.
  if (metrics.horizontalAdvance(caption) <= layout.caption.width()) {
    painter.drawText(layout.caption, Qt::AlignCenter | Qt::TextSingleLine, caption);
  } else {
    const QRectF room = layout.captionRoom;
    painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(caption, Qt::ElideRight, room.width()));
  }
  painter.restore();
}

}  // namespace asworn
