// SPDX-License-Identifier: Apache-2.0
#include "user_number_format.h"

#include <QLocale>

namespace asworn {

NumberFormat NumberFormatOf(const QLocale& locale) {
  return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

NumberFormat UserNumberFormat() {
  return NumberFormatOf(QLocale::system());
}

}  // namespace asworn
