// Compute on the window: the ticket it writes, the tab it shows, and a Compute that stops.
// Also Exit.
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
    QTest::newRow("wrap without a number on an empty ticket") << "wrap"
                                                              << "abc" << false;
    QTest::newRow("wrap out of range on a filled ticket") << "wrap"
                                                          << "50" << true;
    QTest::newRow("index with a letter") << "odn"
                                         << "1.586x" << true;
    QTest::newRow("empty index") << "osn"
                                 << "" << true;
    QTest::newRow("index of 1") << "odn"
                                << "1" << false;
    QTest::newRow("empty sphere") << "odsph"
                                  << "" << true;
    QTest::newRow("sign after the cylinder") << "oscyl"
                                             << "0.50-" << true;
    QTest::newRow("tilt of blanks only") << "tilt"
                                         << " " << true;
  }
  void faultyComputeChangesNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, ticketFilledBefore);
    if (ticketFilledBefore) {
      window_->WriteField(Field::lastname, "Before");
      ClickCompute();
      window_->WriteField(Field::lastname, "After");
    }
    window_->tabControl()->setCurrentIndex(lensTab);
    const Field faulty = *FindField(field.toStdString());
    window_->WriteField(faulty, text);
    const QStringList ticket = Ticket();
    const QStringList fields = Fields();
    const ComputeOutcome expected = asworn::Compute(window_->ReadJobSheet());
    QVERIFY(!expected.Succeeded());

    MessageBoxWatcher watcher({Answer::ok});
    ClickCompute();
    QCOMPARE(watcher.seen().size(), std::size_t{1});
    const SeenMessageBox& seen = watcher.seen()[0];
    QCOMPARE(seen.text, QString::fromStdString(expected.error().message));
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
    ClickCompute();
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(workTicketTab));
    QCOMPARE(window_->ticketLabel(Label::odprism2)->text(), QStringLiteral("0.22"));
  }

  // A ticket that is not the current entries' one is marked, and Print computes it first;
  // a refused Compute prints nothing.
  void staleTicketIsMarkedAndPrintComputesFirst_data() {
    QTest::addColumn<QString>("after");    // what follows the first Compute
    QTest::addColumn<QString>("printed");  // lastname2 on the printed ticket, "": none printed
    QTest::newRow("no Compute yet") << ""
                                    << "Ochs";
    QTest::newRow("an edit") << "edit"
                             << "Edited";
    QTest::newRow("a Load") << "load"
                            << "Ochs";
    QTest::newRow("a refused Compute") << "refused"
                                       << "";
  }
  void staleTicketIsMarkedAndPrintComputesFirst() {
    QFETCH(QString, after);
    QFETCH(QString, printed);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    window_->SetPatientFolder(folder.path());
    window_->WriteField(Field::lastname, "Ochs");
    if (!after.isEmpty()) {
      MessageBoxWatcher setUp({Answer::ok, Answer::ok, Answer::ok, Answer::ok});
      QVERIFY(window_->SavePatient());
      window_->WriteField(Field::odsph, "-3.00");
      ClickCompute();
      QVERIFY(window_->ticketIsCurrent());
      QVERIFY(!window_->staleTicketNotice() || window_->staleTicketNotice()->isHidden());
      if (after == "edit") window_->WriteField(Field::lastname, "Edited");
      if (after == "load") QVERIFY(window_->LoadPatient());
      if (after == "refused") {
        window_->WriteField(Field::wrap, "0,5");
        ClickCompute();
      }
      QVERIFY(!window_->ticketIsCurrent());
      QVERIFY(!window_->staleTicketNotice()->isHidden());
      QCOMPARE(window_->tabControl()
                   ->widget(workTicketTab)
                   ->findChild<QGroupBox*>(QStringLiteral("workticket"))
                   ->accessibleDescription(),
               window_->staleTicketNotice()->text());
    }
    const QString before = window_->ticketLabel(Label::lastname2)->text();

    MessageBoxWatcher watcher({Answer::ok});
    QTest::mouseClick(window_->printButton(), Qt::LeftButton);
    QCOMPARE(watcher.seen().size(), std::size_t{1});
    if (printed.isEmpty()) {
      // The Compute fault, and no page: the old ticket stays, marked.
      QVERIFY(watcher.seen()[0].text.contains("decimal comma"));
      QCOMPARE(window_->ticketLabel(Label::lastname2)->text(), before);
      QVERIFY(!window_->staleTicketNotice()->isHidden());
      return;
    }
    QCOMPARE(watcher.seen()[0].text, kNoTestPrinter);  // computed, then on to the printer
    QVERIFY(window_->ticketIsCurrent());
    QCOMPARE(window_->ticketLabel(Label::lastname2)->text(), printed);
    QCOMPARE(window_->ticketLabel(Label::odsph2)->text(), window_->FieldText(Field::odsph));
  }

  // Exit, or the window's close box: unchanged entries close at once, changed ones ask.
  void exitAsksOnlyForUnsavedEntries_data() {
    QTest::addColumn<QString>("before");  // what happens to the entries before Exit
    QTest::addColumn<int>("answer");      // how the question is answered, -1: none expected
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("byCloseBox");
    const auto row = [](const char* name, const char* before, int answer, bool closed, bool saved,
                        bool byCloseBox = false) {
      QTest::newRow(name) << before << answer << closed << saved << byCloseBox;
    };
    row("unchanged closes at once", "", -1, true, false);
    row("computed, unchanged, closes at once", "compute", -1, true, false);
    row("typed back as it was closes at once", "retype", -1, true, false);
    row("saved closes at once", "save", -1, true, true);
    row("loaded closes at once", "load", -1, true, true);
    row("edited, Discard closes", "edit", int(Answer::discard), true, false);
    row("edited, Cancel stays", "edit", int(Answer::cancel), false, false);
    row("edited, Esc stays", "edit", int(Answer::escapeKey), false, false);
    row("edited, Enter saves and closes", "edit", int(Answer::enterKey), true, true);
    row("edited after Save, Save closes", "save edit", int(Answer::save), true, true);
    row("edited, close box asks too", "edit", int(Answer::cancel), false, false, true);
  }
  void exitAsksOnlyForUnsavedEntries() {
    QFETCH(QString, before);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    QFETCH(bool, byCloseBox);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    window_->SetPatientFolder(folder.path());
    std::vector<Answer> answers;
    {
      MessageBoxWatcher setUp({Answer::ok, Answer::ok, Answer::ok});
      if (before.contains("compute")) QVERIFY(window_->Compute());
      if (before.contains("retype")) {
        window_->WriteField(Field::lastname, "Ochs");
        window_->WriteField(Field::lastname, "Last Name");
      }
      if (before.contains("save") || before.contains("load")) QVERIFY(window_->SavePatient());
      if (before.contains("load")) {
        window_->WriteField(Field::odsph, "-2.00");
        QVERIFY(window_->LoadPatient());
      }
      if (before.contains("edit")) window_->WriteField(Field::odsph, "-1.25");
    }
    if (answer >= 0) answers.push_back(static_cast<Answer>(answer));
    answers.push_back(Answer::ok);  // the confirmation of a Save
    MessageBoxWatcher watcher(answers);
    if (byCloseBox)
      window_->close();
    else
      QTest::mouseClick(window_->exitButton(), Qt::LeftButton);
    QCOMPARE(!window_->isVisible(), closed);
    if (answer < 0) {
      QVERIFY(watcher.seen().empty());
    } else {
      QVERIFY(!watcher.seen().empty());
      const SeenMessageBox& question = watcher.seen()[0];
      QCOMPARE(question.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
      QCOMPARE(question.defaultButton, QMessageBox::Save);
    }
    QCOMPARE(!QDir(folder.path()).entryList(QDir::Files).isEmpty(), saved);
  }
};

QTEST_MAIN(ComputeTest)
#include "compute_test.moc"
