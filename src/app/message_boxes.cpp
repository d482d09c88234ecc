// SPDX-License-Identifier: Apache-2.0
#include "message_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

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

SaveAnswer AskSaveDiscardCancel(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, kApplicationTitle, text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("unsavedEntries"));
  box.setTextFormat(Qt::PlainText);
  // The platform's own wording of these buttons may differ ("Close without Saving").
  box.button(QMessageBox::Save)->setText(QStringLiteral("Save"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("Discard"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
  if (clicked == QMessageBox::Save) return SaveAnswer::save;
  if (clicked == QMessageBox::Discard) return SaveAnswer::discard;
  return SaveAnswer::cancel;
}

bool AskOkCancelBeside(QWidget* parent, const QString& title, const QString& text,
                       const QString& detail, const QRect& keepVisible) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("question"));
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(detail);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  // Above the rectangle, room for a title bar, which the box's size does not hold before
  // it is shown.
  constexpr int kGapBelow = 8;
  constexpr int kGapAbove = 40;
  const QSize size = box.sizeHint();
  const QRect screen = parent && parent->screen() ? parent->screen()->availableGeometry()
                                                  : QRect(keepVisible.topLeft(), size);
  const int left = std::clamp(keepVisible.left(), screen.left(),
                              std::max(screen.left(), screen.right() - size.width()));
  int top = keepVisible.bottom() + kGapBelow;
  if (top + size.height() > screen.bottom())
    top = std::max(screen.top(), keepVisible.top() - kGapAbove - size.height());
  box.move(left, top);
  return box.exec() == QMessageBox::Ok;
}

void ShowReminder(QWidget* parent, const QString& text) {
  // A box without a title of its own: Qt would leave it uncaptioned on some platforms, so the
  // application's title is given here.
  Show(parent, QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, "reminder");
}

}  // namespace asworn::app
