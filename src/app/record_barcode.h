// SPDX-License-Identifier: Apache-2.0
#pragma once
// The record number of the work ticket, shown as a Code 39 barcode a scanner can read.

#include <QLabel>
#include <QString>
#include <optional>

#include "code39.h"

namespace asworn::app {

// The place the window gives the record barcode, in twips (1440 to the inch).
inline constexpr int kRecordBarcodeWidthTwips = 2295;
inline constexpr int kRecordBarcodeHeightTwips = 510;

// A label whose text() is the record text exactly as set, and which draws that text as a Code 39
// barcode (start and stop characters added by the symbol, not the text) with the text in plain
// letters under the bars, right-aligned in its rectangle. A text too long for the width gets
// narrower bars, down to the least a scanner reads. Text that Code 39 cannot carry (empty,
// outside ASCII, too long for the symbology or the width) is drawn as plain right-aligned text.
class RecordBarcode : public QLabel {
  Q_OBJECT

 public:
  explicit RecordBarcode(QWidget* parent = nullptr);
  explicit RecordBarcode(const QString& text, QWidget* parent = nullptr);

  // Whether the current text is drawn as bars at the current size.
  bool showsBars() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const std::optional<Code39Symbol>& Symbol() const;
  std::optional<Code39Layout> Layout() const;
  double PreferredModule() const;

  // Encoded lazily: QLabel::setText is not virtual, so the text is compared when it is needed.
  mutable QString encodedText_;
  mutable std::optional<Code39Symbol> symbol_;
  mutable bool encoded_ = false;
};

}  // namespace asworn::app
