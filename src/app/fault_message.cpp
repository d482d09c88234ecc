#include "fault_message.h"

#include <QMessageBox>

#include "app_title.h"

namespace asworn::app {

void ShowComputeFault(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Warning, kApplicationTitle, message, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("computeFault"));
  box.exec();
}

}  // namespace asworn::app
