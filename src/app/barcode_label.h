#pragma once
// The record number on the work ticket, in the barcode font "Code 39" where it is
// installed (the font database substitutes another font where it is not). The text is
// shown as copied, without start or stop characters.

#include <QLabel>

namespace asworn::app {

class BarcodeLabel : public QLabel {
 public:
  BarcodeLabel(const QString& name, QWidget* parent);
};

}  // namespace asworn::app
