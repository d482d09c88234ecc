// SPDX-License-Identifier: Apache-2.0
#pragma once
// The patient list: every patient of the folder with the record number and the last save,
// newest first, narrowed as the optician types into the search field. Enter or a double
// click loads the patient in the current row; Escape goes back without loading.

#include <QDialog>
#include <optional>

#include "patient_list.h"

class QLineEdit;
class QTableView;

namespace asworn::app {

class PatientTableModel;

class PatientListDialog : public QDialog {
 public:
  PatientListDialog(PatientList list, const QString& search, QWidget* parent = nullptr);

  // The patient of the current row once the dialog was accepted.
  std::optional<PatientListEntry> chosen() const;

  QLineEdit* searchField() const { return search_; }
  QTableView* table() const { return table_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Narrow(const QString& search);
  void LoadRow(int row);

  PatientList list_;
  PatientTableModel* model_ = nullptr;
  QLineEdit* search_ = nullptr;
  QTableView* table_ = nullptr;
  std::optional<std::size_t> chosen_;
};

// Shows the list modally and gives the patient chosen; nothing when the optician went back.
std::optional<PatientListEntry> ChoosePatient(QWidget* parent, PatientList list,
                                              const QString& search);

}  // namespace asworn::app
