#include "message_boxes.h"

#include <QMessageBox>

#include "app_title.h"

namespace asworn::app {

namespace {

int Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
         QMessageBox::StandardButtons buttons, const char* name) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setObjectName(QString::fromLatin1(name));
  box.setTextFormat(Qt::PlainText);
  if (buttons.testFlag(QMessageBox::Cancel)) {
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  return box.exec();
}

}  // namespace

void ShowFault(QWidget* parent, const QString& message) {
  Show(parent, QMessageBox::Warning, kApplicationTitle, message, QMessageBox::Ok, "fault");
}

void ShowInformation(QWidget* parent, const QString& title, const QString& text) {
  Show(parent, QMessageBox::Information, title, text, QMessageBox::Ok, "information");
}

bool AskOkCancel(QWidget* parent, const QString& title, const QString& text) {
  return Show(parent, QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel,
              "question") == QMessageBox::Ok;
}

void ShowReminder(QWidget* parent, const QString& text) {
  // A box without a title of its own: Qt would leave it uncaptioned on some platforms, so the
  // application's title is given here.
  Show(parent, QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, "reminder");
}

}  // namespace asworn::app
