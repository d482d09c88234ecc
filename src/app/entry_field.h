#pragma once
// One text box of the job sheet. Named after its field, spoken by its optician's name, and
// selecting its whole text whenever it gets the keyboard focus.

#include <QLineEdit>

#include "job_sheet.h"

namespace asworn::app {

class EntryField : public QLineEdit {
 public:
  EntryField(Field field, QWidget* parent);
  Field field() const { return field_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  Field field_;
};

}  // namespace asworn::app
