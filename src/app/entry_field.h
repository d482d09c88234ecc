// SPDX-License-Identifier: Apache-2.0
#pragma once
// One text box of the job sheet. Named after its field, spoken by its optician's name, and
// selecting its whole text whenever it gets the keyboard focus, by the keyboard or by a click.

#include <QLineEdit>

#include "job_sheet.h"

namespace asworn::app {

class EntryField : public QLineEdit {
 public:
  EntryField(Field field, QWidget* parent);
  Field field() const { return field_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // The press that gives the box the focus would put the caret at the click and drop the
  // selection; that press, its drag and its release are left alone. A click into a box that
  // already has the focus places the caret as usual.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Field field_;
  bool pressGaveFocus_ = false;
};

}  // namespace asworn::app
