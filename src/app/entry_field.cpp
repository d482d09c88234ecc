// SPDX-License-Identifier: Apache-2.0
#include "entry_field.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <limits>

#include "qt_text.h"
#include "select_all.h"

namespace asworn::app {

EntryField::EntryField(Field field, QWidget* parent) : QLineEdit(parent), field_(field) {
  const FieldInfo& info = InfoOf(field);
  setObjectName(ToQString(info.name));
  setAccessibleName(ToQString(info.spokenName));
  setText(ToQString(info.defaultText));
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // No length limit: Qt's default of 32767 characters would cut a longer loaded text short
  // without a word, and the next Save would store the cut text.
  setMaxLength(std::numeric_limits<int>::max());
}

void EntryField::focusInEvent(QFocusEvent* event) {
  // Qt's own handling comes first: it may place the caret or keep an old selection, and the
  // whole-text selection must be what remains. A context menu closing hands the focus back
  // to a box the user is still working in, so that is not an entry.
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::PopupFocusReason) return;
  SelectAllText(*this);
  // The mouse press that moved the focus here comes after this event.
  pressGaveFocus_ = event->reason() == Qt::MouseFocusReason;
}

void EntryField::focusOutEvent(QFocusEvent* event) {
  pressGaveFocus_ = false;
  QLineEdit::focusOutEvent(event);
}

void EntryField::mousePressEvent(QMouseEvent* event) {
  if (pressGaveFocus_) {
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
}

void EntryField::mouseMoveEvent(QMouseEvent* event) {
  if (pressGaveFocus_) {
    event->accept();
    return;
  }
  QLineEdit::mouseMoveEvent(event);
}

void EntryField::mouseReleaseEvent(QMouseEvent* event) {
  if (pressGaveFocus_) {
    pressGaveFocus_ = false;
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace asworn::app
