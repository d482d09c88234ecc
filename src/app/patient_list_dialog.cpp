// SPDX-License-Identifier: Apache-2.0
#include "patient_list_dialog.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace asworn::app {

// The rows of the list that match the search, as a table.
class PatientTableModel : public QAbstractTableModel {
 public:
  explicit PatientTableModel(const std::vector<PatientListEntry>& patients, QObject* parent)
      : QAbstractTableModel(parent), patients_(patients) {}

  void Show(std::vector<std::size_t> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  const PatientListEntry& PatientAt(int row) const {
    return patients_[rows_[static_cast<std::size_t>(row)]];
  }
  std::size_t IndexAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : kColumns;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const kCaptions[kColumns] = {"Last Name", "First Name", "Record #",
                                                    "Last Saved"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= kColumns) return {};
    return QString::fromLatin1(kCaptions[section]);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const PatientListEntry& p = PatientAt(index.row());
    if (role == Qt::ToolTipRole && !p.readable()) return p.problem;
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case 0:
        return p.readable() ? p.lastname : p.fileName;
      case 1:
        return p.readable() ? p.firstname : QStringLiteral("(cannot be read)");
      case 2:
        return p.record;
      default:
        return p.saved().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    }
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    // A file that cannot be loaded is shown, but cannot be chosen.
    if (!PatientAt(index.row()).readable()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  }

 private:
  static constexpr int kColumns = 4;
  const std::vector<PatientListEntry>& patients_;
  std::vector<std::size_t> rows_;
};

PatientListDialog::PatientListDialog(PatientList list, const QString& search, QWidget* parent)
    : QDialog(parent), list_(std::move(list)) {
  setObjectName(QStringLiteral("patientList"));
  setWindowTitle(QStringLiteral("Find Patient"));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(QStringLiteral("&Name:"), this);
  search_ = new QLineEdit(search, this);
  search_->setObjectName(QStringLiteral("search"));
  search_->setClearButtonEnabled(true);
  caption->setBuddy(search_);
  layout->addWidget(caption);
  layout->addWidget(search_);

  model_ = new PatientTableModel(list_.patients, this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("patients"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setFocusPolicy(Qt::NoFocus);  // the keys stay in the search field
  table_->verticalHeader()->hide();
  // Fixed row heights: no row is measured, so 20 000 patients show at once.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);
  layout->addWidget(table_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* load = buttons->addButton(QStringLiteral("Load"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  load->setDefault(true);
  layout->addWidget(buttons);
  resize(560, 360);

  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) { Narrow(text); });
  connect(table_, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { LoadRow(index.row()); });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    const QModelIndex current = table_->currentIndex();
    if (current.isValid()) LoadRow(current.row());
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Narrow(search);
}

void PatientListDialog::keyPressEvent(QKeyEvent* event) {
  // The arrows move through the list while the typing stays in the search field.
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      QCoreApplication::sendEvent(table_, event);
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void PatientListDialog::Narrow(const QString& search) {
  model_->Show(FindPatients(list_.patients, search));
  // The first patient that can be loaded is current, so Enter loads the best match.
  for (int row = 0; row < model_->rowCount({}); ++row)
    if (model_->PatientAt(row).readable()) {
      table_->selectRow(row);
      return;
    }
  table_->clearSelection();
  table_->setCurrentIndex({});
}

void PatientListDialog::LoadRow(int row) {
  if (row < 0 || row >= model_->rowCount({}) || !model_->PatientAt(row).readable()) return;
  chosen_ = model_->IndexAt(row);
  accept();
}

std::optional<PatientListEntry> PatientListDialog::chosen() const {
  if (!chosen_ || result() != QDialog::Accepted) return std::nullopt;
  return list_.patients[*chosen_];
}

std::optional<PatientListEntry> ChoosePatient(QWidget* parent, PatientList list,
                                              const QString& search) {
  PatientListDialog dialog(std::move(list), search, parent);
  dialog.exec();
  return dialog.chosen();
}

}  // namespace asworn::app
