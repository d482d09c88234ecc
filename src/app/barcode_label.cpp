#include "barcode_label.h"

namespace asworn::app {

BarcodeLabel::BarcodeLabel(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  QFont barcode(QStringLiteral("Code 39"), 12);
  barcode.setWeight(QFont::Normal);
  setFont(barcode);
  setAlignment(Qt::AlignRight | Qt::AlignTop);
}

}  // namespace asworn::app
