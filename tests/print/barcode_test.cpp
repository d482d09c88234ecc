// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include "code39.h"
#include "page_tools.h"
#include "record_barcode.h"

namespace asworn {
namespace {

using app::RecordBarcode;
using test::FullAsciiReading;
using test::ScanBarcodes;

enum class Form { none, plain, fullAscii };

TEST(EncodeCode39, ChoosesTheFormTheTextNeeds) {
  const struct {
    QString text;
    Form form;
  } cases[] = {
      {QStringLiteral("A12345"), Form::plain},
      {QStringLiteral("REC 7-2.5"), Form::plain},
      {QStringLiteral("Rec 7a"), Form::fullAscii},
      {QStringLiteral("Rec #"), Form::fullAscii},
      // Shift characters of full ASCII: a full-ASCII scanner would misread "A+B" as "Ab".
      {QStringLiteral("A+B"), Form::fullAscii},
      {QStringLiteral("50%"), Form::fullAscii},
      {QStringLiteral("*"), Form::fullAscii},
      {QString(), Form::none},
      {QStringLiteral("R\u00e9c"), Form::none},
      {QStringLiteral("\u8bb0\u5f55"), Form::none},
      {QString(85, 'A'), Form::plain},
      {QString(86, 'A'), Form::none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    const auto symbol = EncodeCode39(c.text);
    ASSERT_EQ(symbol.has_value(), c.form != Form::none);
    if (!symbol) continue;
    EXPECT_EQ(symbol->fullAscii, c.form == Form::fullAscii);
    // Bars lie inside the symbol, left to right, never touching.
    double edge = 0;
    for (const auto& bar : symbol->bars) {
      EXPECT_GE(bar.left, edge + (edge > 0 ? 1.0 : 0.0));
      EXPECT_GE(bar.width, 1.0);
      edge = bar.left + bar.width;
    }
    EXPECT_DOUBLE_EQ(symbol->bars.front().left, 0.0);
    EXPECT_DOUBLE_EQ(edge, symbol->modules);
  }
}

TEST(LayOutCode39, KeepsQuietZonesInsideTheAreaAndShrinksOnlyWhenNeeded) {
  const QRectF area(10, 5, 153, 34);
  const struct {
    QString text;
    bool shrinks;
    bool readable;
  } cases[] = {
      {QStringLiteral("A12345"), false, true},
      {QStringLiteral("Rec 7a"), true, true},
      {QString(18, '7'), true, true},
      {QString(40, 'W'), true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    const auto symbol = EncodeCode39(c.text);
    ASSERT_TRUE(symbol);
    const Code39Layout layout = LayOutCode39(*symbol, area, 1.0);
    EXPECT_EQ(layout.module < 1.0, c.shrinks);
    EXPECT_EQ(layout.readable, c.readable);
    EXPECT_DOUBLE_EQ(layout.patch.right(), area.right());
    EXPECT_GE(layout.patch.left(), area.left() - 1e-9);
    EXPECT_NEAR(layout.bars.left() - layout.patch.left(), kCode39QuietModules * layout.module,
                1e-9);
    EXPECT_NEAR(layout.patch.right() - layout.bars.right(), kCode39QuietModules * layout.module,
                1e-9);
    EXPECT_LE(layout.caption.bottom(), area.bottom() + 1e-9);
    EXPECT_GT(layout.bars.height(), layout.caption.height());
  }
}

TEST(RecordBarcode, KeepsTheRecordTextExactlyAndShowsBarsOnlyWhenScannable) {
  const struct {
    QString text;
    bool bars;
  } cases[] = {
      {QStringLiteral("A12345"), true},
      {QStringLiteral("Rec #"), true},
      {QStringLiteral("<b>7</b>"), true},
      {QStringLiteral(" 12 "), true},
      {QString(18, '7'), true},
      {QString(40, 'W'), false},
      {QString(), false},
      {QStringLiteral("R\u00e9c"), false},
  };
  RecordBarcode record2;
  record2.resize(record2.sizeHint());
  for (const auto& c : cases) {
    record2.setText(c.text);
    EXPECT_EQ(record2.text(), c.text);
    EXPECT_EQ(record2.showsBars(), c.bars) << c.text.toStdString();
  }
}

// The widget as a screen of the given pixel ratio shows it.
QImage Grab(RecordBarcode& widget, qreal ratio, QColor background = QColor(239, 239, 239)) {
  QPixmap pixmap(widget.size() * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(background);
  widget.render(&pixmap);
  return pixmap.toImage();
}

TEST(RecordBarcode, ScansBackToTheRecordFromTheScreen) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  RecordBarcode record2;
  record2.resize(record2.sizeHint());
  // A 96-dpi screen has 153 pixels for the symbol and its quiet zones: symbols that need more
  // get modules narrower than a pixel there, and only a finer screen shows them scannably.
  const struct {
    QString text;
    qreal ratio;
  } cases[] = {
      {QStringLiteral("A12345"), 1}, {QStringLiteral("Rec #"), 1}, {QStringLiteral("A12345"), 2},
      {QStringLiteral("Rec 7a"), 2}, {QStringLiteral("Rec #"), 2}, {QStringLiteral("a+b/c"), 2},
  };
  for (const auto& [text, ratio] : cases) {
    {
      SCOPED_TRACE(QStringLiteral("%1 at %2x").arg(text).arg(ratio).toStdString());
      record2.setText(text);
      const QString png = dir.filePath(QStringLiteral("grab.png"));
      ASSERT_TRUE(Grab(record2, ratio).save(png));
      EXPECT_EQ(FullAsciiReading(ScanBarcodes(png)), text);
    }
  }
}

TEST(RecordBarcode, DrawsTextWithoutBarsWhenCode39CannotCarryIt) {
  RecordBarcode record2(QStringLiteral("R\u00e9c 7"));
  record2.resize(record2.sizeHint());
  EXPECT_FALSE(record2.showsBars());
  const QImage image = Grab(record2, 1.0, QColor(200, 220, 240));
  // No white patch and no bars: the label's own text only.
  int white = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
  }
  EXPECT_EQ(white, 0);
  EXPECT_TRUE(test::InkBounds(image, 128).isValid());
}

}  // namespace
}  // namespace asworn
