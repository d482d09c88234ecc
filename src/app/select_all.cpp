// SPDX-License-Identifier: Apache-2.0
#include "select_all.h"

#include <QLineEdit>

namespace asworn::app {

void SelectAllText(QLineEdit& box) {
  const QString text = box.text();
  box.setSelection(0, static_cast<int>(text.size()));
}

}  // namespace asworn::app
