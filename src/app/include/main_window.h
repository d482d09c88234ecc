// SPDX-License-Identifier: Apache-2.0
#pragma once
// Form1: the one window of the program. A column of picture buttons and the tabbed control
// SSTab1 holding the job sheet's text boxes and the work ticket's labels. The texts live in
// the widgets themselves; reading the job sheet reads what the user sees at that moment.

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "as_worn_check.h"
#include "job_sheet.h"
#include "picture_button.h"
#include "print_work_ticket.h"
#include "work_ticket.h"

class QLabel;
class QLineEdit;
class QTabWidget;

namespace asworn::app {

class AsWornView;
class EntryField;
class PairMark;
class PictureBox;
class StaleTicketMark;
class TabControl;
class TicketState;

// The tabs of SSTab1 by number.
enum Tab : int {
  patientTab = 0,
  prescriptionTab,
  lensTab,
  parametersTab,
  aboutTab,
  workTicketTab,
  asWornTab
};
inline constexpr int kTabCount = 7;

// The window's client area, in twips.
inline constexpr int kClientWidth = 6285;
inline constexpr int kClientHeight = 3525;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The job sheet: read a field, write a field, all 21 at once.
  QString FieldText(Field field) const;
  void WriteField(Field field, const QString& text);
  JobSheet ReadJobSheet() const;

  // The work ticket: the writes of a finished Compute; odpb and ospb are never written.
  QString LabelText(Label label) const;
  void WriteLabel(Label label, const QString& text);
  // Writes the 21 computed labels in ticket order, then brings the "Work Ticket" tab forward.
  void FillWorkTicket(const WorkTicket& ticket);

  // Puts the 21 texts of `sheet` into the entry fields.
  void WriteJobSheet(const JobSheet& sheet);

  // Command1: computes the ticket from the texts as they stand. A fault is shown to the user,
  // brings the named entry forward with its text selected, and leaves the labels alone, out of
  // date since the change that made the fault. Returns whether the ticket was written.
  bool Compute();
  // Command2: a ticket that is not the current entries' one is computed first, and a refused
  // Compute prints nothing. Then brings the "Work Ticket" tab forward and prints the window's
  // image on the printer that the printer lookup gives (the default printer); no printer, or
  // one that cannot take the job, is reported to the user like any other fault. Returns
  // whether the page went to the printer.
  bool Print();

  // Whether the work ticket (and its as-worn check) is the ticket of the entries as they
  // stand: false before the first Compute, after an edit, a Load or a refused Compute.
  bool ticketIsCurrent() const;
  // Whether an entry differs from what the last Save or Load (or start-up) left.
  bool EntriesChanged() const;
  // The as-worn check of the ticket shown, which Print puts below it; none before the first
  // Compute, and none once an entry or the order setting changed or a record was loaded since.
  const std::optional<optics::AsWornResult>& asWornCheck() const;
  // Command3: stores the 21 texts in the patient's file in the patient folder and confirms it.
  // A file that cannot be written is reported instead. Returns whether the file was written.
  bool SavePatient();
  // load: entries changed since the last Save or Load are first offered for saving under the
  // names they were saved or loaded with ("Save", "Discard", "Cancel"; Cancel ends the Load).
  // Then, after the user's OK to "Load <first> <last>?", fills all 21 fields from the file
  // named by the names in the fields and confirms it. Names that name no one file open the
  // patient list; going back from it changes nothing. Cancel only reminds the user to enter
  // the names; a file that cannot be loaded is reported and changes no field. The work
  // ticket is left alone. Returns whether the fields were filled.
  bool LoadPatient();

  // How a fault of Compute, Print, Save or Load reaches the user; by default a modal warning
  // box.
  void SetFaultReporter(std::function<void(const QString&)> reporter);

  // Where Print finds its printer; the system's default printer unless set.
  void SetPrinterLookup(PrinterLookup lookup) { printerLookup_ = std::move(lookup); }

  // The folder of the patient files; the user's own patient folder unless set.
  const QString& patientFolder() const { return patientFolder_; }
  void SetPatientFolder(const QString& folder) { patientFolder_ = folder; }

  QLineEdit* field(Field field) const;
  QLabel* ticketLabel(Label label) const;
  QTabWidget* tabControl() const;
  QToolButton* computeButton() const { return command1_; }
  QToolButton* printButton() const { return command2_; }
  QToolButton* saveButton() const { return command3_; }
  QToolButton* exitButton() const { return command4_; }
  QToolButton* loadButton() const { return load_; }
  QWidget* picture() const;
  AsWornView& asWornView() const { return *asWorn_; }

  // The window's image as Print puts it on the page: the job sheet at the layout's size, the
  // tab in front as it is, whatever size the user gave the window.
  PagePart LayoutImage();

  // Every control that takes the keyboard focus, in the order of the Tab key.
  const std::vector<QWidget*>& focusOrder() const { return focusOrder_; }
  // The notice on the "Work Ticket" page while the ticket is out of date; none before that.
  QLabel* staleTicketNotice() const;
  // The mark beside the prism rows, shown while the pair's vertical imbalance is outside.
  QLabel* pairMark() const;

 protected:
  bool focusNextPrevChild(bool next) override;
  // Exit and the window's close box: unsaved entries ask "Save", "Discard" or "Cancel".
  void closeEvent(QCloseEvent* event) override;
  // A larger window gives the tab control the room; the buttons stay.
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The entries as a Save or Load left them: what Exit compares against.
  void EntriesSaved();
  void EntriesLoaded();
  // The labels' look, the notice, the marks and the "As Worn" page as the ticket state is.
  void ShowTicketState();
  // The entry a fault names comes forward with its text selected.
  void FocusEntry(Field field);
  void BuildFocusOrder();
  // The tab control as the layout places it in a client area of `clientSize`.
  void PlaceTabControl(QSize clientSize);
  void BringPageForward(QWidget* widget);
  void ShowWorkTicketTab();
  void ReportFault(const QString& message);
  // Before a Load: entries that differ from the last Save or Load (the names aside) ask
  // "Save", "Discard" or "Cancel". False when the Load must not go on: Cancel, or a Save that
  // failed; every entry then stays as typed.
  bool KeepTypingBeforeLoad();
  bool AskToLoad();

  std::array<EntryField*, kFieldCount> fields_{};
  std::array<QLabel*, kLabelCount> labels_{};
  TabControl* ssTab1_ = nullptr;
  QSize layoutSize_;     // the client area as the layout gives it
  QRect layoutTabRect_;  // the tab control's place in it
  PictureButton* command1_ = nullptr;
  PictureButton* command2_ = nullptr;
  PictureButton* command3_ = nullptr;
  PictureButton* command4_ = nullptr;
  PictureButton* load_ = nullptr;
  PictureBox* picture1_ = nullptr;
  std::vector<QWidget*> focusOrder_;
  std::function<void(const QString&)> reportFault_;
  PrinterLookup printerLookup_;
  QString patientFolder_;
  // Whether the ticket shown is current, and its as-worn check while it is.
  TicketState* ticket_ = nullptr;
  std::unique_ptr<StaleTicketMark> staleMark_;
  std::unique_ptr<PairMark> pairMark_;  // beside the prism rows while the pair is outside
  JobSheet savedEntries_;               // as the last Save or Load left them
  std::unique_ptr<AsWornView> asWorn_;
};

}  // namespace asworn::app
