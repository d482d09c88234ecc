// SPDX-License-Identifier: Apache-2.0
#include "record_barcode.h"

#include <QPaintEvent>
#include <QPainter>

#include "twips.h"

namespace asworn::app {
RecordBarcode::RecordBarcode(QWidget* parent) : RecordBarcode(QString(), parent) {}

RecordBarcode::RecordBarcode(const QString& text, QWidget* parent) : QLabel(parent) {
  // Plain text always: a record number that looks like markup is still just the record number.
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setWordWrap(false);
  setText(text);
}

const std::optional<Code39Symbol>& RecordBarcode::Symbol() const {
  if (!encoded_ || encodedText_ != text()) {
    encodedText_ = text();
    symbol_ = EncodeCode39(encodedText_);
    encoded_ = true;
  }
  return symbol_;
}

double RecordBarcode::PreferredModule() const {
  // One module is one pixel of a 96-dpi screen, 15 twips: about 0.26 mm, a usual Code 39 size.
  return logicalDpiX() / 96.0;
}

std::optional<Code39Layout> RecordBarcode::Layout() const {
  const std::optional<Code39Symbol>& symbol = Symbol();
  if (!symbol) return std::nullopt;
  const Code39Layout layout = LayOutCode39(*symbol, QRectF(contentsRect()), PreferredModule());
  // Bars too fine for any scanner would only pretend to be a barcode: show the text then.
  if (!layout.readable) return std::nullopt;
  return layout;
}

bool RecordBarcode::showsBars() const {
  return Layout().has_value();
}

QSize RecordBarcode::sizeHint() const {
  return QSize(Twips(logicalDpiX()).ToPixels(kRecordBarcodeWidthTwips),
               Twips(logicalDpiY()).ToPixels(kRecordBarcodeHeightTwips));
}

QSize RecordBarcode::minimumSizeHint() const {
  return sizeHint();
}

void RecordBarcode::paintEvent(QPaintEvent* event) {
  const std::optional<Code39Layout> layout = Layout();
  if (!layout) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  PaintCode39(painter, *Symbol(), *layout, text(), font());
}

}  // namespace asworn::app
