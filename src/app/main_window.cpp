// SPDX-License-Identifier: Apache-2.0
#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QTabBar>
#include <QTimer>

#include "accessibility.h"
#include "as_worn_check_block.h"
#include "as_worn_view.h"
#include "compensation_engine.h"
#include "entry_field.h"
#include "form_builder.h"
#include "message_boxes.h"
#include "order_setting.h"
#include "ordered_ticket.h"
#include "pair_mark.h"
#include "patient_list_dialog.h"
#include "patient_records.h"
#include "picture_box.h"
#include "picture_button.h"
#include "pictures.h"
#include "print_work_ticket.h"
#include "stale_ticket_mark.h"
#include "tab_control.h"
#include "ticket_state.h"
#include "twips.h"
#include "user_number_format.h"
#include "window_geometry.h"

namespace asworn::app {

namespace {

constexpr int kButtonLeft = 120;
constexpr int kTabLeft = 960;
constexpr int kTabTop = 120;
constexpr int kTabWidth = 5175;
constexpr int kTabHeight = 3255;
constexpr int kFrameLeftInTab = 120;
constexpr int kFrameTopInTab = 360;
constexpr double kDialogPointSize = 8.0;

}  // namespace

MainWindow::~MainWindow() = default;

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  InstallAccessibility();
  const Twips twips = Twips::OfPrimaryScreen();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Form1"));
  // The icon is drawn from its picture once the window is up: the window system shows it
  // beside the title, and the window need not wait for it.
  QTimer::singleShot(0, this, [this] { setWindowIcon(WindowIcon()); });
  // The toolkit's own font, at no more than the 8 points of a dialog font: the twips of the
  // layout are measured for that size, and a larger font would clip the captions.
  QFont dialogFont = font();
  if (dialogFont.pointSizeF() > kDialogPointSize) dialogFont.setPointSizeF(kDialogPointSize);
  setFont(dialogFont);
  // Fixed places for the controls of the job sheet; a larger window gives its room to the
  // pages that have use for it. Never smaller than the layout.
  layoutSize_ = twips.Size(kClientWidth, kClientHeight);
  resize(layoutSize_);
  setMinimumSize(layoutSize_);

  const struct {
    PictureButton*& button;
    const char* name;
    const char* caption;
    const QString& picture;
    int top;
  } column[] = {
      {command1_, "Command1", "Compute", picture::kGears, 120},
      {command2_, "Command2", "Print", picture::kPrinter, 960},
      {command3_, "Command3", "Save", picture::kDiskDrive, 1800},
      {command4_, "Command4", "Exit", picture::kExit, 2640},
  };
  for (const auto& b : column) {
    b.button = new PictureButton(QString::fromLatin1(b.name), QString::fromLatin1(b.caption),
                                 b.picture, this);
    b.button->setGeometry(twips.Rect(kButtonLeft, b.top, kButtonSide, kButtonSide));
  }

  layoutTabRect_ = twips.Rect(kTabLeft, kTabTop, kTabWidth, kTabHeight);
  const QRect frameInTab =
      twips.Rect(kFrameLeftInTab, kFrameTopInTab, kPageFrameWidth, kPageFrameHeight);
  ssTab1_ = new TabControl(QStringLiteral("SSTab1"), frameInTab, layoutTabRect_.size(), this);
  ssTab1_->setGeometry(layoutTabRect_);

  WindowParts parts;
  FormBuilder builder(twips, parts);
  ssTab1_->AddPage(builder.PatientFrame(), QStringLiteral("Patient"));
  ssTab1_->AddPage(builder.PrescriptionFrame(), QStringLiteral("Prescription"));
  ssTab1_->AddPage(builder.LensFrame(), QStringLiteral("Lens"));
  ssTab1_->AddPage(builder.ParametersFrame(), QStringLiteral("Parameters"));
  ssTab1_->AddPage(builder.AboutFrame(), QStringLiteral("About"));
  ssTab1_->AddPage(builder.WorkTicketFrame(), QStringLiteral("Work Ticket"),
                   TabControl::FrameSize::grows);
  fields_ = parts.fields;
  labels_ = parts.labels;
  picture1_ = parts.picture;
  asWorn_ =
      std::make_unique<AsWornView>(twips, ssTab1_->frameOf(workTicketTab), LoadOrderSettings());
  ssTab1_->AddPage(asWorn_->page(), QString::fromLatin1(kAsWornTabCaption),
                   TabControl::FrameSize::grows);
  connect(asWorn_.get(), &AsWornView::SettingsChanged, this,
          [this](const optics::OrderSettings& settings) {
            StoreOrderSettings(settings);
            // Print computes the ticket of the new order first.
            ticket_->Invalidate(StaleReason::settingsChanged);
          });

  // Load sits at the right of the patient's name rows.
  QGroupBox* patient = ssTab1_->frameOf(patientTab);
  load_ = new PictureButton(QStringLiteral("load"), QStringLiteral("Load"), picture::kComputer,
                            patient);
  load_->setGeometry(
      twips.Rect(kPageFrameWidth - 120 - kButtonSide, 210, kButtonSide, kButtonSide));

  connect(command1_, &QToolButton::clicked, this, [this] { Compute(); });
  connect(command2_, &QToolButton::clicked, this, [this] { Print(); });
  connect(command3_, &QToolButton::clicked, this, [this] { SavePatient(); });
  connect(command4_, &QToolButton::clicked, this, &QWidget::close);
  connect(load_, &QToolButton::clicked, this, [this] { LoadPatient(); });
  reportFault_ = [this](const QString& message) { ShowFault(this, message); };
  patientFolder_ = DefaultPatientFolder();
  printerLookup_ = OpenDefaultPrinter;

  staleMark_ = std::make_unique<StaleTicketMark>(ssTab1_->frameOf(workTicketTab), labels_, twips);
  pairMark_ = std::make_unique<PairMark>(
      twips, ssTab1_->frameOf(workTicketTab)->findChild<QGroupBox*>(QStringLiteral("Frame17")));
  ticket_ = new TicketState(this);
  connect(ticket_, &TicketState::Changed, this, &MainWindow::ShowTicketState);
  // Any change of an entry, typed or written, leaves the ticket behind the entries.
  for (EntryField* f : fields_)
    connect(f, &QLineEdit::textChanged, ticket_,
            [this] { ticket_->Invalidate(StaleReason::entriesEdited); });
  savedEntries_ = ReadJobSheet();

  BuildFocusOrder();
  ssTab1_->setCurrentIndex(patientTab);
  fields_[IndexOf(Field::firstname)]->setFocus(Qt::OtherFocusReason);
  RestoreWindowGeometry(this);
}

void MainWindow::PlaceTabControl(QSize clientSize) {
  const QSize grown = (clientSize - layoutSize_).expandedTo(QSize(0, 0));
  ssTab1_->setGeometry(layoutTabRect_.adjusted(0, 0, grown.width(), grown.height()));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceTabControl(size());
}

PagePart MainWindow::LayoutImage() {
  return WidgetImageAt(*this, layoutSize_, [this](QSize size) { PlaceTabControl(size); });
}

void MainWindow::BuildFocusOrder() {
  for (EntryField* f : fields_) focusOrder_.push_back(f);
  for (QWidget* w : {static_cast<QWidget*>(command1_), static_cast<QWidget*>(command2_),
                     static_cast<QWidget*>(command3_), static_cast<QWidget*>(command4_),
                     static_cast<QWidget*>(picture1_)})
    focusOrder_.push_back(w);
  for (QWidget* w : asWorn_->focusOrder()) focusOrder_.push_back(w);
  focusOrder_.push_back(ssTab1_->tabBar());
  focusOrder_.push_back(load_);
  // Qt's own chain in the same order, for anything that walks it (accessibility tools).
  for (std::size_t i = 0; i + 1 < focusOrder_.size(); ++i)
    QWidget::setTabOrder(focusOrder_[i], focusOrder_[i + 1]);
}

bool MainWindow::focusNextPrevChild(bool next) {
  // Qt's own walk skips controls on hidden tabs; this one follows the fixed order through
  // every tab, brings the control's tab forward, and wraps around at both ends.
  QWidget* current = focusWidget();
  // A page being hidden (another tab clicked) hands its focus on through here too; that is
  // no Tab key, and must not bring the page back: Qt finds a visible control itself.
  if (current && !current->isVisible()) return QWidget::focusNextPrevChild(next);
  const auto count = static_cast<std::ptrdiff_t>(focusOrder_.size());
  std::ptrdiff_t at = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i)
    if (focusOrder_[static_cast<std::size_t>(i)] == current) at = i;
  std::ptrdiff_t to = 0;
  if (at < 0)
    to = next ? 0 : count - 1;
  else
    to = (at + (next ? 1 : count - 1)) % count;
  QWidget* target = focusOrder_[static_cast<std::size_t>(to)];
  BringPageForward(target);
  target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void MainWindow::BringPageForward(QWidget* widget) {
  for (int i = 0; i < ssTab1_->count(); ++i)
    if (ssTab1_->widget(i)->isAncestorOf(widget)) {
      ssTab1_->setCurrentIndex(i);
      return;
    }
}

QString MainWindow::FieldText(Field f) const {
  return fields_[IndexOf(f)]->text();
}

void MainWindow::WriteField(Field f, const QString& text) {
  fields_[IndexOf(f)]->setText(text);
}

JobSheet MainWindow::ReadJobSheet() const {
  JobSheet sheet;
  for (const FieldInfo& info : kJobSheetFields)
    sheet[info.field] = fields_[IndexOf(info.field)]->text().toStdString();
  return sheet;
}

void MainWindow::WriteJobSheet(const JobSheet& sheet) {
  for (const FieldInfo& info : kJobSheetFields)
    WriteField(info.field, QString::fromStdString(sheet[info.field]));
}

QString MainWindow::LabelText(Label l) const {
  return labels_[IndexOf(l)]->text();
}

void MainWindow::WriteLabel(Label l, const QString& text) {
  labels_[IndexOf(l)]->setText(text);
}

void MainWindow::FillWorkTicket(const WorkTicket& ticket) {
  for (const LabelInfo& info : kWorkTicketLabels)
    WriteLabel(info.label, QString::fromStdString(ticket[info.label]));
  ssTab1_->setCurrentIndex(workTicketTab);
}

void MainWindow::ShowWorkTicketTab() {
  ssTab1_->setCurrentIndex(workTicketTab);
  // A page shown for the first time lays itself out on a posted event; the printed image must
  // show it laid out. Only layout requests are handled here, never the user's input.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

bool MainWindow::Compute() {
  const JobSheet sheet = ReadJobSheet();
  const NumberFormat format = UserNumberFormat();
  const ComputeOutcome outcome = asworn::Compute(sheet, format);
  // A refused Compute leaves the state alone: the same entries and settings computed the
  // ticket before, so a ticket that fails now was out of date already.
  if (!outcome.Succeeded()) {
    ReportFault(QString::fromStdString(outcome.error().message));
    if (!outcome.error().fields.empty()) FocusEntry(outcome.error().fields.front());
    return false;
  }
  // The lens the user's order gives, and its check, from this one Compute.
  const ordering::OrderedTicket ordered =
      ordering::OrderTicket(*outcome, asWorn_->settings(), format.decimalSeparator);
  if (!ordered.ok()) {
    ReportFault(QString::fromStdString(ordered.fault));
    return false;
  }
  FillWorkTicket(ordered.ticket);  // the bases too: "Base Out" for a prism below zero
  ticket_->Computed(ordered.check);
  return true;
}

void MainWindow::ShowTicketState() {
  // The start-up ticket is no one's: only a computed ticket can fall behind.
  if (ticket_->computed()) staleMark_->Show(!ticket_->current(), ticket_->reason());
  if (ticket_->current()) {
    asWorn_->Show(*ticket_->check(), UserNumberFormat().decimalSeparator);
    pairMark_->Show(*ticket_->check(), UserNumberFormat().decimalSeparator);
  } else if (asWorn_->showsCheck()) {
    pairMark_->Clear();
    asWorn_->Clear(ticket_->reason() == StaleReason::settingsChanged
                       ? QStringLiteral("The order or the reading of tilt and wrap changed. "
                                        "Press Compute to make the ticket and check it with them.")
                       : QStringLiteral("The entries changed since the last Compute. Press "
                                        "Compute to check them."));
  }
}

bool MainWindow::ticketIsCurrent() const {
  return ticket_->current();
}

const std::optional<optics::AsWornResult>& MainWindow::asWornCheck() const {
  return ticket_->check();
}

QLabel* MainWindow::staleTicketNotice() const {
  return staleMark_->notice();
}

QLabel* MainWindow::pairMark() const {
  return pairMark_->label();
}

void MainWindow::FocusEntry(Field f) {
  EntryField* entry = fields_[IndexOf(f)];
  BringPageForward(entry);
  entry->setFocus(Qt::OtherFocusReason);
  entry->selectAll();  // also when the entry had the focus already
}

bool MainWindow::Print() {
  // Only the current entries' ticket goes on paper.
  if (!ticket_->current() && !Compute()) return false;
  ShowWorkTicketTab();
  const PrinterChoice target = printerLookup_ ? printerLookup_() : PrinterChoice{};
  PrintResult printed{target.error};
  if (target.printer) {
    std::vector<PagePart> parts{LayoutImage()};
    if (ticket_->check())
      parts.push_back(AsWornCheckPart(*ticket_->check(),
                                      static_cast<double>(layoutSize_.width()) / logicalDpiX(),
                                      UserNumberFormat().decimalSeparator));
    printed = PrintWorkTicket(parts, *target.printer);
  } else if (printed.ok())
    printed.error = CouldNotPrint(QStringLiteral("no printer was found"));
  if (!printed.ok()) ReportFault(printed.error);
  return printed.ok();
}

bool MainWindow::SavePatient() {
  const SaveResult saved = asworn::SavePatient(ReadJobSheet(), patientFolder_, UserNumberFormat());
  if (!saved.ok()) {
    ReportFault(saved.message);
    return false;
  }
  EntriesSaved();
  ShowInformation(this, QStringLiteral("Saved"), QStringLiteral("Patient Information Saved"));
  return true;
}

bool MainWindow::LoadPatient() {
  if (!KeepTypingBeforeLoad()) return false;
  if (!AskToLoad()) {
    ShowReminder(this, QStringLiteral("Please enter first and last name"));
    return false;
  }
  // The names are read after the answer: the box kept the user from editing them meanwhile.
  LoadResult loaded = asworn::LoadPatient(ReadJobSheet(), patientFolder_);
  if (!loaded.ok() && loaded.choose) {
    const JobSheet typed = ReadJobSheet();
    const QString search = QStringLiteral("%1 %2")
                               .arg(QString::fromStdString(typed[Field::firstname]),
                                    QString::fromStdString(typed[Field::lastname]))
                               .simplified();
    PatientList list = ListPatients(patientFolder_);
    if (!list.problem.isEmpty()) {  // no folder yet: nothing to choose from
      ReportFault(QStringLiteral("%1 %2").arg(loaded.message, list.problem));
      return false;
    }
    const std::optional<PatientListEntry> chosen = ChoosePatient(this, std::move(list), search);
    if (!chosen) return false;  // the optician went back: nothing changes
    loaded = LoadPatientFileAt(chosen->nativePath);
  }
  if (!loaded.ok()) {
    ReportFault(loaded.message);
    return false;
  }
  WriteJobSheet(*loaded.sheet);
  EntriesLoaded();
  ShowInformation(this, QStringLiteral("Patient Loaded"),
                  QStringLiteral("Patient information has been loaded"));
  return true;
}

void MainWindow::EntriesSaved() {
  savedEntries_ = ReadJobSheet();
}

void MainWindow::EntriesLoaded() {
  savedEntries_ = ReadJobSheet();
  // The ticket shown is another patient's, or older entries'; a record that matches the
  // entries field for field is still another record: its ticket is computed anew.
  ticket_->Invalidate(StaleReason::recordLoaded);
}

bool MainWindow::EntriesChanged() const {
  return ReadJobSheet() != savedEntries_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (EntriesChanged()) {
    const SaveAnswer answer = AskSaveDiscardCancel(
        this, QStringLiteral("The entries have changed since they were last saved or loaded. "
                             "Save them before the program closes?"));
    if (answer == SaveAnswer::cancel || (answer == SaveAnswer::save && !SavePatient())) {
      event->ignore();
      return;
    }
  }
  StoreWindowGeometry(this);
  event->accept();
}

bool MainWindow::KeepTypingBeforeLoad() {
  // The names are how Load is told whom to load: typing them is no change to keep. The
  // entries belong to the patient of the last Save or Load, and are saved under those names,
  // so that the file about to be loaded is never the one replaced.
  JobSheet typed = ReadJobSheet();
  for (Field name : {Field::firstname, Field::lastname}) typed[name] = savedEntries_[name];
  if (typed == savedEntries_) return true;
  const QString owner = QStringLiteral("%1 %2")
                            .arg(QString::fromStdString(typed[Field::firstname]),
                                 QString::fromStdString(typed[Field::lastname]))
                            .simplified();
  const SaveAnswer answer = AskSaveDiscardCancel(
      this, QStringLiteral("The entries have changed since they were last saved or loaded. "
                           "Save them for %1 before another patient is loaded?")
                .arg(owner));
  if (answer == SaveAnswer::discard) return true;
  if (answer == SaveAnswer::cancel) return false;
  const SaveResult saved = asworn::SavePatient(typed, patientFolder_, UserNumberFormat());
  if (!saved.ok()) {
    ReportFault(saved.message);
    return false;
  }
  savedEntries_ = typed;
  ShowInformation(this, QStringLiteral("Saved"), QStringLiteral("Patient Information Saved"));
  return true;
}

bool MainWindow::AskToLoad() {
  const QString names = QStringLiteral("%1 %2")
                            .arg(FieldText(Field::firstname), FieldText(Field::lastname))
                            .simplified();
  const QString question = names.isEmpty() ? QStringLiteral("Load a patient from the list?")
                                           : QStringLiteral("Load %1?").arg(names);
  // The box stays clear of the name fields it asks the user to check.
  const QWidget* first = fields_[IndexOf(Field::firstname)];
  const QWidget* last = fields_[IndexOf(Field::lastname)];
  const QRect namesOnScreen = QRect(first->mapToGlobal(QPoint(0, 0)), first->size())
                                  .united(QRect(last->mapToGlobal(QPoint(0, 0)), last->size()));
  return AskOkCancelBeside(
      this, QStringLiteral("Load Patient"), question,
      QStringLiteral("Enter first and last name of the person you would like to load and press "
                     "OK, or press cancel to go back"),
      namesOnScreen);
}

void MainWindow::ReportFault(const QString& message) {
  if (reportFault_) reportFault_(message);
}

void MainWindow::SetFaultReporter(std::function<void(const QString&)> reporter) {
  reportFault_ = std::move(reporter);
}

QLineEdit* MainWindow::field(Field f) const {
  return fields_[IndexOf(f)];
}

QLabel* MainWindow::ticketLabel(Label l) const {
  return labels_[IndexOf(l)];
}

QTabWidget* MainWindow::tabControl() const {
  return ssTab1_;
}

QWidget* MainWindow::picture() const {
  return picture1_;
}

}  // namespace asworn::app
