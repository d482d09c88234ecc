// SPDX-License-Identifier: Apache-2.0
// Start-up focus, the Tab order through every tab, select-all on entry by key and by click,
// Enter, Space and Esc, the picture's focus frame.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "app_test_support.h"

using namespace asworn;
using namespace asworn::app;
using namespace asworn::app::test;

namespace {

// The Tab order, written out: the 21 fields, the four buttons, the picture, the as-worn
// page's settings and check, the tab strip, then Load.
const QStringList kOrder = {
    "firstname",  "lastname",     "record",      "odsph",    "odcyl",    "odaxis", "ossph",
    "oscyl",      "osaxis",       "odbc",        "odn",      "oddiam",   "osbc",   "osn",
    "osdiam",     "odrvd",        "odfvd",       "osrvd",    "osfvd",    "tilt",   "wrap",
    "Command1",   "Command2",     "Command3",    "Command4", "Picture1", "order",  "steps",
    "convention", "asWornReport", "SSTab1_tabs", "load"};

}  // namespace

class FocusTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;

  QString FocusName() const {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, modifiers);
  }
  // The focus widget is where it should be, visible, and a field shows its whole text
  // selected.
  void CheckEntered(const QString& name) {
    QCOMPARE(FocusName(), name);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus->isVisible(), qPrintable(name));
    if (auto* box = qobject_cast<QLineEdit*>(focus)) {
      QCOMPARE(box->selectionStart(), box->text().isEmpty() ? -1 : 0);
      QCOMPARE(box->selectedText(), box->text());
    }
  }

 private slots:
  void init() {
    window_ = ShownWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void startUp() {
    QCOMPARE(window_->tabControl()->currentIndex(), 0);
    CheckEntered("firstname");
    QCOMPARE(window_->field(Field::firstname)->selectedText(), QStringLiteral("First Name"));
    // The first keystrokes replace the placeholder.
    QTest::keyClicks(window_->field(Field::firstname), "Ada");
    QCOMPARE(window_->field(Field::firstname)->text(), QStringLiteral("Ada"));
  }

  void focusOrderIsTheFixedOne() {
    QStringList names;
    for (const QWidget* w : window_->focusOrder()) names << w->objectName();
    QCOMPARE(names, kOrder);
  }

  void tabWalksTheWholeCycle_data() {
    QTest::addColumn<bool>("forward");
    QTest::newRow("Tab") << true;
    QTest::newRow("Shift+Tab") << false;
  }
  void tabWalksTheWholeCycle() {
    QFETCH(bool, forward);
    const auto count = kOrder.size();
    for (qsizetype step = 1; step <= count; ++step) {
      Press(Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
      const qsizetype index = forward ? step % count : (count - step) % count;
      CheckEntered(kOrder[index]);
    }
    CheckEntered("firstname");  // round and back where it started
  }

  void tabStepsNamedByOpticians_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("tabShown");
    QTest::newRow("first name to last name") << "firstname" << true << "lastname" << 0;
    QTest::newRow("record to right sphere") << "record" << true << "odsph" << 1;
    QTest::newRow("left axis to right base curve") << "osaxis" << true << "odbc" << 2;
    QTest::newRow("wrap to Compute") << "wrap" << true << "Command1" << 3;
    QTest::newRow("Exit to the picture") << "Command4" << true << "Picture1" << 4;
    QTest::newRow("tab strip to Load") << "SSTab1_tabs" << true << "load" << 0;
    QTest::newRow("back from first name to Load") << "firstname" << false << "load" << 0;
    QTest::newRow("back from right sphere to record") << "odsph" << false << "record" << 0;
    QTest::newRow("back from Compute to wrap") << "Command1" << false << "wrap" << 3;
  }
  void tabStepsNamedByOpticians() {
    QFETCH(QString, from);
    QFETCH(bool, forward);
    QFETCH(QString, to);
    QFETCH(int, tabShown);
    // Walk there with Tab, so every step on the way is an ordinary one.
    for (int i = 0; i < kOrder.size() && FocusName() != from; ++i) Press(Qt::Key_Tab);
    QCOMPARE(FocusName(), from);
    Press(Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
    CheckEntered(to);
    QCOMPARE(window_->tabControl()->currentIndex(), tabShown);
  }

  void clickingATabWhileAFieldHasTheFocus_data() {
    QTest::addColumn<int>("tab");
    for (int tab = 1; tab < kTabCount; ++tab) QTest::addRow("tab %d", tab) << tab;
  }
  void clickingATabWhileAFieldHasTheFocus() {
    // The field's page goes out of sight and hands its focus on; the clicked tab must stay.
    QFETCH(int, tab);
    QTabBar* strip = window_->tabControl()->tabBar();
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, strip->tabRect(tab).center());
    QCOMPARE(window_->tabControl()->currentIndex(), tab);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus && focus->isVisible());
  }

  void selectAllOnEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks at both ends") << "  -1.25  ";
    QTest::newRow("typed with a unit") << "13mm";
    QTest::newRow("one blank") << " ";
    QTest::newRow("non-Latin") << "Ærøskøbing 眼鏡";
  }
  void selectAllOnEntry() {
    QFETCH(QString, text);
    QLineEdit* box = window_->field(Field::lastname);
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box);
    box->setText(text);  // leaves the caret at the end, nothing selected
    QVERIFY(!box->hasSelectedText());
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->text(), text);  // the text itself is untouched
    QCOMPARE(box->selectedText(), text);
    QCOMPARE(box->hasSelectedText(), !text.isEmpty());
    if (text.isEmpty()) QCOMPARE(box->cursorPosition(), 0);
    // Typing replaces the whole text.
    QTest::keyClicks(box, "Lee");
    QCOMPARE(box->text(), QStringLiteral("Lee"));
  }

  // Enter, Return and Space press a focused button; in a field or on the tab strip Enter does
  // nothing, and Esc does nothing anywhere.
  void keysOnTheFocusedControl_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");  // "": nothing; "computed"; else the box shown
    for (const char* where : {"firstname", "wrap", "SSTab1_tabs"}) {
      QTest::addRow("Enter in %s", where) << where << int(Qt::Key_Return) << "";
      QTest::addRow("keypad Enter in %s", where) << where << int(Qt::Key_Enter) << "";
      QTest::addRow("Esc in %s", where) << where << int(Qt::Key_Escape) << "";
    }
    QTest::newRow("Esc on Print") << "Command2" << int(Qt::Key_Escape) << "";
    QTest::newRow("Esc on Compute") << "Command1" << int(Qt::Key_Escape) << "";
    QTest::newRow("Return on Compute") << "Command1" << int(Qt::Key_Return) << "computed";
    QTest::newRow("keypad Enter on Compute") << "Command1" << int(Qt::Key_Enter) << "computed";
    QTest::newRow("Space on Compute") << "Command1" << int(Qt::Key_Space) << "computed";
    QTest::newRow("Return on Print") << "Command2" << int(Qt::Key_Return) << kNoTestPrinter;
    QTest::newRow("Return on Load")
        << "load" << int(Qt::Key_Return) << "Please enter first and last name";
  }
  void keysOnTheFocusedControl() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, effect);
    for (int i = 0; i < kOrder.size() && FocusName() != focus; ++i) Press(Qt::Key_Tab);
    QCOMPARE(FocusName(), focus);
    const int tab = window_->tabControl()->currentIndex();
    MessageBoxWatcher watcher({Answer::cancel, Answer::ok});
    QPointer<QWidget> control = QApplication::focusWidget();
    QTest::keyPress(control, static_cast<Qt::Key>(key));
    if (control) QTest::keyRelease(control, static_cast<Qt::Key>(key));
    QCoreApplication::processEvents();
    QVERIFY(window_->isVisible());
    // Print before any Compute computes first.
    const bool computed = effect == "computed" || effect == kNoTestPrinter;
    QCOMPARE(window_->tabControl()->currentIndex(),
             computed ? static_cast<int>(workTicketTab) : tab);
    QCOMPARE(window_->ticketLabel(Label::odcsph)->text().isEmpty(), !computed);
    if (effect != "computed" && !effect.isEmpty()) {
      QVERIFY(!watcher.seen().empty());
      QCOMPARE(watcher.seen().back().text, effect);
    } else {
      QCOMPARE(watcher.seen().size(), std::size_t{0});
    }
    for (QToolButton* button : window_->findChildren<QToolButton*>()) {
      QVERIFY(!button->isDown());
      QVERIFY(!button->isChecked());
    }
  }

  // A click that gives a field the focus selects its whole text, as Tab does; a click into the
  // field that has the focus places the caret.
  void clickIntoAField_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("first name, the focus elsewhere") << "lastname"
                                                     << "Ochs";
    QTest::newRow("a sphere on another tab") << "odsph"
                                             << "-2.25";
    QTest::newRow("empty") << "record"
                           << "";
  }
  void clickIntoAField() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QLineEdit* box = window_->field(*FindField(name.toStdString()));
    for (int i = 0; i < kTabCount; ++i)
      if (window_->tabControl()->widget(i)->isAncestorOf(box))
        window_->tabControl()->setCurrentIndex(i);
    window_->tabControl()->tabBar()->setFocus();
    box->setText(text);
    QVERIFY(!box->hasFocus());
    const QPoint nearStart(4, box->height() / 2);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, nearStart);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->selectedText(), text);
    // The second click, into the focused field, puts the caret where it lands.
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, nearStart);
    QVERIFY(!box->hasSelectedText());
    QCOMPARE(box->cursorPosition(), 0);
  }

  // The About picture shows that it has the focus.
  void pictureShowsItsFocus() {
    QWidget* picture = window_->picture();
    window_->tabControl()->setCurrentIndex(aboutTab);  // hands the focus to the picture
    window_->tabControl()->tabBar()->setFocus();
    const QImage without = picture->grab().toImage();
    for (int i = 0; i < kOrder.size() && FocusName() != "Picture1"; ++i) Press(Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("Picture1"));
    QVERIFY(picture->grab().toImage() != without);
    Press(Qt::Key_Tab);
    QVERIFY(picture->grab().toImage() == without);
  }
};

QTEST_MAIN(FocusTest)
#include "focus_test.moc"
