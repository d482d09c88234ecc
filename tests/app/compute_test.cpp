// SPDX-License-Identifier: Apache-2.0
// Compute on the window: the ticket it writes, the tab it shows, and a Compute that stops.
// Also Exit.
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <map>

#include "app_test_support.h"
#include "as_worn_report.h"
#include "as_worn_view.h"
#include "compensation_engine.h"

using namespace asworn;
using namespace asworn::app;
using namespace asworn::app::test;

namespace {

// The ticket of the start-up job sheet, every one of the 23 labels.
const std::map<Label, QString> kStartUpTicket = {
    {Label::firstname2, "First Name"},
    {Label::lastname2, "Last Name"},
    {Label::record2, "Rec #"},
    {Label::odsph2, "0.00"},
    {Label::odcyl2, "0.00"},
    {Label::odaxis2, "180"},
    {Label::ossph2, "0.00"},
    {Label::oscyl2, "0.00"},
    {Label::osaxis2, "180"},
    {Label::odbc2, "8.00"},
    {Label::osbc2, "8.00"},
    {Label::tilt2, "15"},
    {Label::wrap2, "15"},
    {Label::odcsph, "0"},
    {Label::odccyl, "0"},
    {Label::odcaxis, "89"},
    {Label::oscsph, "0"},
    {Label::osccyl, "0"},
    {Label::oscaxis, "91"},
    {Label::odprism2, "0.22"},
    {Label::osprism2, "0.22"},
    {Label::odpb, "Base In"},
    {Label::ospb, "Base In"},
};

}  // namespace

class ComputeTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;

  QStringList Ticket() const {
    QStringList texts;
    for (const LabelInfo& info : kWorkTicketLabels)
      texts << window_->ticketLabel(info.label)->text();
    return texts;
  }
  QStringList Fields() const {
    QStringList texts;
    for (const FieldInfo& info : kJobSheetFields) texts << window_->field(info.field)->text();
    return texts;
  }
  void ClickCompute() { QTest::mouseClick(window_->computeButton(), Qt::LeftButton); }

 private slots:
  void init() {
    window_ = ShownWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void startUpTicketFromEveryTab_data() {
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < kTabCount; ++tab) QTest::addRow("from tab %d", tab) << tab;
  }
  void startUpTicketFromEveryTab() {
    QFETCH(int, tab);
    window_->tabControl()->setCurrentIndex(tab);
    ClickCompute();
    for (const auto& [label, text] : kStartUpTicket)
      QCOMPARE(window_->ticketLabel(label)->text(), text);
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(workTicketTab));
    QVERIFY(window_->ticketLabel(Label::odcsph)->isVisible());
    // The job sheet is read, never changed.
    for (const FieldInfo& info : kJobSheetFields)
      QCOMPARE(window_->field(info.field)->text(), Q(info.defaultText));
  }

  void computeTwiceWritesTheSameTicket() {
    ClickCompute();
    const QStringList first = Ticket();
    window_->tabControl()->setCurrentIndex(lensTab);
    ClickCompute();
    QCOMPARE(Ticket(), first);
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(workTicketTab));
  }

  void copiesShowTheTextsAsTyped_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");
    QTest::newRow("emptied name") << "firstname"
                                  << ""
                                  << "firstname2"
                                  << "";
    QTest::newRow("plus sign") << "odsph"
                               << "+1.25"
                               << "odsph2"
                               << "+1.25";
    QTest::newRow("unit and blanks") << "tilt"
                                     << " 15 deg "
                                     << "tilt2"
                                     << " 15 deg ";
    QTest::newRow("non-Latin name") << "lastname"
                                    << "Ødegård"
                                    << "lastname2"
                                    << "Ødegård";
    QTest::newRow("negative wrap, right prism size") << "wrap"
                                                     << "-15"
                                                     << "odprism2"
                                                     << "0.22";
    QTest::newRow("negative wrap, left prism size") << "wrap"
                                                    << "-15"
                                                    << "osprism2"
                                                    << "0.22";
    QTest::newRow("negative wrap is Base Out") << "wrap"
                                               << "-15"
                                               << "ospb"
                                               << "Base Out";
    QTest::newRow("zero wrap prism keeps Base In") << "odbc"
                                                   << "0"
                                                   << "odpb"
                                                   << "Base In";
  }
  void copiesShowTheTextsAsTyped() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    window_->WriteField(*FindField(field.toStdString()), text);
    ClickCompute();
    QCOMPARE(window_->ticketLabel(*FindLabel(label.toStdString()))->text(), shown);
  }

  void faultyComputeChangesNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ticketFilledBefore");
    // Another faulty entry later in the job sheet, "field=text": named in the same message.
    QTest::addColumn<QString>("also");
    QTest::newRow("wrap without a number on an empty ticket") << "wrap"
                                                              << "abc" << false << QString();
    QTest::newRow("wrap out of range on a filled ticket") << "wrap"
                                                          << "50" << true << QString();
    QTest::newRow("index with a letter") << "odn"
                                         << "1.586x" << true << QString();
    QTest::newRow("empty index") << "osn"
                                 << "" << true << QString();
    QTest::newRow("index of 1") << "odn"
                                << "1" << false << QString();
    QTest::newRow("empty sphere") << "odsph"
                                  << "" << true << QString();
    QTest::newRow("sign after the cylinder") << "oscyl"
                                             << "0.50-" << true << QString();
    QTest::newRow("tilt of blanks only") << "tilt"
                                         << " " << true << QString();
    QTest::newRow("a sphere and the wrap: one message, the sphere forward")
        << "odsph"
        << "abc" << true << "wrap=x";
    QTest::newRow("an index and a fitted vertex: one message, the index forward")
        << "osn"
        << "1.6x" << false << "osfvd=135";
  }
  void faultyComputeChangesNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, ticketFilledBefore);
    QFETCH(QString, also);
    if (ticketFilledBefore) {
      window_->WriteField(Field::lastname, "Before");
      ClickCompute();
      window_->WriteField(Field::lastname, "After");
    }
    window_->tabControl()->setCurrentIndex(lensTab);
    const Field faulty = *FindField(field.toStdString());
    window_->WriteField(faulty, text);
    // The other entry; the faulty one itself when there is none.
    const Field other = also.isEmpty() ? faulty : *FindField(also.section('=', 0, 0).toStdString());
    if (!also.isEmpty()) window_->WriteField(other, also.section('=', 1));
    const QStringList ticket = Ticket();
    const QStringList fields = Fields();
    const ComputeOutcome expected = asworn::Compute(window_->ReadJobSheet());
    QVERIFY(!expected.Succeeded());

    MessageBoxWatcher watcher({Answer::ok});
    ClickCompute();
    QCOMPARE(watcher.seen().size(), std::size_t{1});
    const SeenMessageBox& seen = watcher.seen()[0];
    QCOMPARE(seen.text, QString::fromStdString(expected.error().message));
    if (!also.isEmpty()) {
      QVERIFY2(seen.text.startsWith(QStringLiteral("2 entries need correcting.")),
               qPrintable(seen.text));
      QVERIFY2(seen.text.indexOf(Q(InfoOf(faulty).tabName).toLower()) <
                   seen.text.indexOf(QStringLiteral("\"%1\"").arg(also.section('=', 1))),
               qPrintable(seen.text));
    }
    QCOMPARE(seen.title, QStringLiteral("As-Worn Rx"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QVERIFY(seen.modal);
    QCOMPARE(Ticket(), ticket);
    QCOMPARE(Fields(), fields);
    // The named entry comes forward, focused, its text selected for the correction.
    QLineEdit* entry = window_->field(faulty);
    QVERIFY(window_->tabControl()->currentWidget()->isAncestorOf(entry));
    QCOMPARE(window_->focusWidget(), entry);  // the focus when the box has gone
    QCOMPARE(entry->selectedText(), text);
    QCOMPARE(window_->ticketIsCurrent(), false);
    if (ticketFilledBefore) QVERIFY(!window_->staleTicketNotice()->isHidden());

    // Still usable: put the field right and Compute goes through.
    window_->WriteField(faulty, Q(InfoOf(faulty).defaultText));
    if (!also.isEmpty()) window_->WriteField(other, Q(InfoOf(other).defaultText));
    ClickCompute();
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(workTicketTab));
    QCOMPARE(window_->ticketLabel(Label::odprism2)->text(), QStringLiteral("0.22"));
  }

  // After a Compute, an edit, a change of a setting, a Load or a refused Compute marks the
  // ticket out of date, saying why, and takes its verdict away; Print computes first (the
  // no-printer box follows); a refused Compute prints nothing.
  void staleTicketIsMarkedAndPrintComputesFirst_data() {
    QTest::addColumn<QString>("after");    // what follows the first Compute; "": no Compute
    QTest::addColumn<QString>("printed");  // lastname2 then, "": nothing printed
    QTest::addColumn<QString>("notice");
    const QString edited = "Out of date: the entries have changed. Press Compute.";
    const QString loaded = "Out of date: a record was loaded. Press Compute.";
    const QString setting = "Out of date: As Worn settings changed. Press Compute.";
    QTest::newRow("no Compute yet") << ""
                                    << "Ochs" << QString();
    QTest::newRow("an edit") << "edit"
                             << "Edited" << edited;
    QTest::newRow("a Load") << "load"
                            << "Ochs" << loaded;
    QTest::newRow("a Load of the entries computed") << "same load"
                                                    << "Ochs" << loaded;
    QTest::newRow("the Order") << "order"
                               << "Ochs" << setting;
    QTest::newRow("the Steps") << "steps"
                               << "Ochs" << setting;
    QTest::newRow("tilt and wrap after an edit") << "edit convention"
                                                 << "Edited" << setting;
    QTest::newRow("a refused Compute") << "refused"
                                       << "" << edited;
  }
  void staleTicketIsMarkedAndPrintComputesFirst() {
    QFETCH(QString, after);
    QFETCH(QString, printed);
    QFETCH(QString, notice);
    QTemporaryDir folder;
    window_->SetPatientFolder(folder.path());
    window_->WriteField(Field::lastname, "Ochs");
    if (!after.isEmpty()) {
      // A Load over the edited sphere asks first: its typing is let go.
      MessageBoxWatcher setUp(after == "load"
                                  ? std::vector<Answer>{Answer::ok, Answer::discard, Answer::ok,
                                                        Answer::ok, Answer::ok, Answer::ok}
                                  : std::vector<Answer>(6, Answer::ok));
      QVERIFY(window_->SavePatient());
      window_->WriteField(Field::odsph, "-3.00");
      ClickCompute();
      QVERIFY(window_->ticketIsCurrent());
      QVERIFY(window_->asWornCheck());
      AsWornView& view = window_->asWornView();
      if (after.startsWith("edit")) window_->WriteField(Field::lastname, "Edited");
      if (after == "load") QVERIFY(window_->LoadPatient());
      if (after == "same load") QVERIFY(window_->SavePatient() && window_->LoadPatient());
      if (after == "order") view.orderBox()->setCurrentIndex(1);
      if (after.endsWith("convention")) view.conventionBox()->setCurrentIndex(1);
      if (after == "steps") view.stepsBox()->setCurrentIndex(2);
      if (after == "refused") window_->WriteField(Field::wrap, "0,5");
      if (after == "refused") ClickCompute();
      QVERIFY(!window_->ticketIsCurrent());
      QVERIFY(!window_->asWornCheck());
      QVERIFY(!view.report()->Text().contains("ANSI"));
      QVERIFY(!view.mark(Eye::right)->isVisibleTo(window_.get()));
      QCOMPARE(window_->staleTicketNotice()->text(), notice);
      QVERIFY(!window_->staleTicketNotice()->isHidden());
      QVERIFY(window_->staleTicketNotice()->sizeHint().width() <=
              window_->staleTicketNotice()->width());
      QCOMPARE(window_->findChild<QGroupBox*>("workticket")->accessibleDescription(),
               window_->staleTicketNotice()->text());
    }
    const QStringList before = Ticket();
    MessageBoxWatcher watcher({Answer::ok});
    QTest::mouseClick(window_->printButton(), Qt::LeftButton);
    QCOMPARE(watcher.texts().size(), 1);
    QCOMPARE(watcher.texts()[0].contains("decimal comma"), printed.isEmpty());
    QCOMPARE(window_->ticketIsCurrent(), !printed.isEmpty());
    QCOMPARE(window_->asWornCheck().has_value(), !printed.isEmpty());
    if (window_->staleTicketNotice())
      QCOMPARE(window_->staleTicketNotice()->isHidden(), !printed.isEmpty());
    if (printed.isEmpty()) QCOMPARE(Ticket(), before);
    if (!printed.isEmpty()) QCOMPARE(window_->ticketLabel(Label::lastname2)->text(), printed);
  }

  // Exit or the close box: entries as the last Save or Load left them close at once;
  // changed ones ask "Save" (the default), "Discard" or "Cancel".
  void exitAsksOnlyForUnsavedEntries_data() {
    QTest::addColumn<QString>("before");  // "load", "edit", or both
    QTest::addColumn<int>("answer");      // -1: no question expected
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("unchanged") << "" << -1 << true << false;
    QTest::newRow("loaded") << "load" << -1 << true << false;
    QTest::newRow("Discard") << "edit" << int(Answer::discard) << true << false;
    QTest::newRow("Cancel") << "edit" << int(Answer::cancel) << false << false;
    QTest::newRow("Esc") << "load edit" << int(Answer::escapeKey) << false << false;
    QTest::newRow("Enter saves") << "edit" << int(Answer::enterKey) << true << false;
    QTest::newRow("close box") << "edit" << int(Answer::cancel) << false << true;
  }
  void exitAsksOnlyForUnsavedEntries() {
    QFETCH(QString, before);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, byCloseBox);
    QTemporaryDir folder;
    window_->SetPatientFolder(folder.path());
    if (before.contains("load")) {
      MessageBoxWatcher setUp({Answer::ok, Answer::discard, Answer::ok, Answer::ok});
      QVERIFY(window_->SavePatient());
      window_->WriteField(Field::odsph, "-2.00");
      QVERIFY(window_->LoadPatient());
    }
    if (before.contains("edit")) window_->WriteField(Field::odsph, "-1.25");
    MessageBoxWatcher watcher({answer < 0 ? Answer::ok : static_cast<Answer>(answer), Answer::ok});
    if (byCloseBox) window_->close();
    if (!byCloseBox) QTest::mouseClick(window_->exitButton(), Qt::LeftButton);
    QCOMPARE(!window_->isVisible(), closed);
    QCOMPARE(watcher.seen().empty(), answer < 0);
    if (answer >= 0) QCOMPARE(watcher.seen()[0].defaultButton, QMessageBox::Save);
    // A Save answer writes the file, and closes only when it is written.
    if (answer == int(Answer::enterKey)) QVERIFY(!window_->EntriesChanged());
  }

  // A lab's first patient in both orders and both readings of tilt and wrap: the lens on the
  // ticket, the mark beside an eye outside tolerance and what a screen reader says of it. The
  // settings are the user's: a new window opens with them.
  void asWornCheckOnScreen_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("convention");
    QTest::addColumn<int>("steps");              // index: 0.01, 0.125, 0.25 D
    QTest::addColumn<QStringList>("rightLens");  // sphere, cylinder, axis, prism, base
    QTest::addColumn<QString>("rightMark");      // accessible name; empty: no mark shown
    QTest::addColumn<QString>("leftMark");
    QTest::addColumn<QString>("note");
    const QString right =
        QString::fromUtf8("Right lens outside ANSI Z80.1 as worn: axis off by 4.7°, tolerance 3°");
    const QString left =
        QString::fromUtf8("Left lens outside ANSI Z80.1 as worn: axis off by 4.8°, tolerance 3°");
    QTest::newRow("ticket formula, frame")
        << 0 << 0 << 0 << QStringList{"-3.51", "-1.95", "29.6", "0.14", "Base In"} << right << left
        << "Ticket formula";
    QTest::newRow("ticket formula, head")
        << 0 << 1 << 0 << QStringList{"-3.51", "-1.95", "29.6", "0.14", "Base In"} << QString()
        << QString() << "Ticket formula";
    // A step is the exact order's: the ticket formula's ticket keeps its own texts.
    QTest::newRow("ticket formula, 0.25 D steps")
        << 0 << 0 << 2 << QStringList{"-3.51", "-1.95", "29.6", "0.14", "Base In"} << right << left
        << "Ticket formula";
    QTest::newRow("exact order, frame")
        << 1 << 0 << 0 << QStringList{"-3.49", "-1.96", "33", "0.16", "Base In"} << QString()
        << QString() << "Exact order (frame)";
    QTest::newRow("exact order, head")
        << 1 << 1 << 0 << QStringList{"-3.49", "-1.95", "30", "0.16", "Base In"} << QString()
        << QString() << "Exact order (head)";
    // The lab's quarter steps: the lens on the ticket is the one checked, and kept within.
    QTest::newRow("exact order, frame, 0.25 D steps")
        << 1 << 0 << 2 << QStringList{"-3.5", "-2", "33", "0.16", "Base In"} << QString()
        << QString() << "Exact order (frame)";
  }
  // A pair whose vertical prism imbalance as worn is outside gets a mark beside the prism
  // rows: seen as a shape, its reason in the tooltip and in what a screen reader says.
  void pairMarkBesideThePrismRows_data() {
    QTest::addColumn<QString>("leftSphere");
    QTest::addColumn<QString>("reason");  // empty: no mark
    QTest::newRow("+1.00 and +4.00") << "+4.00"
                                     << QString::fromUtf8(
                                            "Pair outside ANSI Z80.1 as worn: vertical imbalance "
                                            "0.59 \u0394, OUTSIDE 0.33 \u0394");
    QTest::newRow("+1.00 and +1.50") << "+1.50" << QString();
  }
  void pairMarkBesideThePrismRows() {
    QFETCH(QString, leftSphere);
    QFETCH(QString, reason);
    const std::pair<Field, QString> pair[] = {{Field::odsph, "+1.00"}, {Field::ossph, leftSphere},
                                              {Field::odn, "1.6"},     {Field::osn, "1.6"},
                                              {Field::odbc, "7"},      {Field::osbc, "10"},
                                              {Field::tilt, "12"},     {Field::wrap, "5"}};
    for (const auto& [field, text] : pair) window_->WriteField(field, text);
    ClickCompute();
    QLabel* mark = window_->pairMark();
    QCOMPARE(mark->isVisibleTo(window_.get()), !reason.isEmpty());
    QCOMPARE(mark->accessibleName(), reason);
    QCOMPARE(mark->toolTip(), reason);
    QVERIFY(!mark->pixmap().isNull());
    // Beside the base directions, clear of every label of the prism box.
    for (const QLabel* label : mark->parentWidget()->findChildren<QLabel*>())
      if (label != mark) QVERIFY(!label->geometry().intersects(mark->geometry()));
    // An edit leaves no verdict standing.
    window_->WriteField(Field::odsph, "+1.25");
    QVERIFY(!mark->isVisibleTo(window_.get()));
  }

  void asWornCheckOnScreen() {
    QFETCH(int, order);
    QFETCH(int, convention);
    QFETCH(int, steps);
    QFETCH(QStringList, rightLens);
    QFETCH(QString, rightMark);
    QFETCH(QString, leftMark);
    QFETCH(QString, note);
    const std::pair<Field, QString> patient[] = {
        {Field::odsph, "-4.25"}, {Field::odcyl, "-1.50"}, {Field::odaxis, "30"},
        {Field::ossph, "-3.75"}, {Field::oscyl, "-1.25"}, {Field::osaxis, "150"},
        {Field::odn, "1.67"},    {Field::osn, "1.67"},    {Field::odbc, "4"},
        {Field::osbc, "4"},      {Field::oddiam, "65"},   {Field::osdiam, "65"},
        {Field::odrvd, "12"},    {Field::osrvd, "12"},    {Field::odfvd, "10"},
        {Field::osfvd, "10"},    {Field::tilt, "12"},     {Field::wrap, "18"}};
    for (const auto& [field, text] : patient) window_->WriteField(field, text);
    AsWornView& view = window_->asWornView();
    view.orderBox()->setCurrentIndex(order);
    view.conventionBox()->setCurrentIndex(convention);
    view.stepsBox()->setCurrentIndex(steps);
    QVERIFY(!view.mark(Eye::right)->isVisibleTo(window_.get()));
    QVERIFY(!window_->asWornCheck());

    ClickCompute();
    const Label rightLabels[] = {Label::odcsph, Label::odccyl, Label::odcaxis, Label::odprism2,
                                 Label::odpb};
    for (int i = 0; i < 5; ++i)
      QCOMPARE(window_->ticketLabel(rightLabels[i])->text(), rightLens[i]);
    const struct {
      Eye eye;
      QString name;
    } marks[] = {{Eye::right, rightMark}, {Eye::left, leftMark}};
    for (const auto& m : marks) {
      QLabel* mark = view.mark(m.eye);
      QCOMPARE(mark->isVisibleTo(window_.get()), !m.name.isEmpty());
      QCOMPARE(mark->accessibleName(), m.name);
    }
    QCOMPARE(view.orderNote()->text().trimmed(), note);
    QVERIFY(view.report()->Text().contains(order ? "exact order" : "ticket formula"));

    // An edit leaves no verdict standing: no mark, nothing to print below the ticket.
    window_->WriteField(Field::lastname, "Edited");
    QVERIFY(!view.mark(Eye::right)->isVisibleTo(window_.get()));
    QVERIFY(!window_->asWornCheck());

    window_.reset();
    window_ = ShownWindow(false);
    QCOMPARE(window_->asWornView().orderBox()->currentIndex(), order);
    QCOMPARE(window_->asWornView().conventionBox()->currentIndex(), convention);
    QCOMPARE(window_->asWornView().stepsBox()->currentIndex(), steps);
  }
};

QTEST_MAIN(ComputeTest)
#include "compute_test.moc"
