// SPDX-License-Identifier: Apache-2.0
// What the window shows: every caption and fixed text in its tab and group, the places and
// sizes in twips, the default texts, the fonts and the pictures.
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "app_test_support.h"
#include "as_worn_report.h"
#include "as_worn_view.h"
#include "picture_box.h"
#include "record_barcode.h"
#include "tab_control.h"

using namespace asworn;
using namespace asworn::app;
using namespace asworn::app::test;

class LayoutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;

  QGroupBox* Group(const QString& name) const { return window_->findChild<QGroupBox*>(name); }
  // The texts of the labels directly inside `group` (not those of nested groups).
  QStringList DirectTexts(const QWidget* group) const {
    QStringList texts;
    for (const QLabel* label : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
      texts << label->text();
    return texts;
  }
  QLabel* DirectLabel(const QWidget* group, const QString& text) const {
    for (QLabel* label : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
      if (label->text() == text) return label;
    return nullptr;
  }
  int TabOf(const QWidget* widget) const {
    const QTabWidget* tabs = window_->tabControl();
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->widget(i)->isAncestorOf(widget)) return i;
    return -1;
  }

 private slots:
  void init() {
    window_ = ShownWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void twipsToPixels_data() {
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("client width at 96 dpi") << 96.0 << 6285 << 419;
    QTest::newRow("client height at 96 dpi") << 96.0 << 3525 << 235;
    QTest::newRow("button at 96 dpi") << 96.0 << 735 << 49;
    QTest::newRow("an inch at 120 dpi") << 120.0 << 1440 << 120;
    QTest::newRow("button at 144 dpi") << 144.0 << 735 << 74;
    QTest::newRow("half a pixel rounds up") << 144.0 << 5 << 1;
  }
  void twipsToPixels() {
    QFETCH(double, dpi);
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(Twips(dpi).ToPixels(twips), pixels);
  }

  void adjoiningRectsShareTheirEdge() {
    // Converting edges, not sizes: a control ending where the next begins still touches it.
    const Twips at144(144.0);
    const QRect first = at144.Rect(5, 0, 5, 10);
    const QRect second = at144.Rect(10, 0, 5, 10);
    QCOMPARE(first.right() + 1, second.left());
  }

  void clientAreaInTwips() {
    const Twips twips = Twips::OfPrimaryScreen();
    QCOMPARE(std::lround(twips.ToTwips(window_->width())), 6285L);
    QCOMPARE(std::lround(twips.ToTwips(window_->height())), 3525L);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window_->objectName(), QStringLiteral("Form1"));
  }

  void buttons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("top");
    QTest::newRow("Command1") << "Command1"
                              << "Compute" << 120;
    QTest::newRow("Command2") << "Command2"
                              << "Print" << 960;
    QTest::newRow("Command3") << "Command3"
                              << "Save" << 1800;
    QTest::newRow("Command4") << "Command4"
                              << "Exit" << 2640;
  }
  void buttons() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, top);
    auto* button = window_->findChild<QToolButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), window_.get());
    QCOMPARE(button->text(), caption);
    QCOMPARE(TwipsIn(button, window_.get()), QRect(120, top, 735, 735));
  }

  void everyButtonIsAPictureButton() {
    const QList<QToolButton*> buttons = {window_->computeButton(), window_->printButton(),
                                         window_->saveButton(), window_->exitButton(),
                                         window_->loadButton()};
    for (QToolButton* button : buttons) {
      QCOMPARE(button->iconSize(), QSize(16, 16));
      QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
      QVERIFY2(!button->text().contains('&'), qPrintable(button->text()));
      // The same picture whether the button is up, held down or disabled.
      const QImage normal = button->icon().pixmap(16, 16, QIcon::Normal).toImage();
      QVERIFY(!normal.isNull());
      QCOMPARE(button->icon().pixmap(16, 16, QIcon::Active).toImage(), normal);
      QCOMPARE(button->icon().pixmap(16, 16, QIcon::Disabled).toImage(), normal);
      QCOMPARE(TwipsIn(button, button).size(), QSize(735, 735));
    }
  }

  void loadSitsRightOfTheNameRows() {
    QToolButton* load = window_->loadButton();
    QCOMPARE(load->objectName(), QStringLiteral("load"));
    QCOMPARE(load->text(), QStringLiteral("Load"));
    QCOMPARE(load->parentWidget(), Group("Frame2"));
    const QRect at = load->geometry();
    const QRect first = window_->field(Field::firstname)->geometry();
    const QRect last = window_->field(Field::lastname)->geometry();
    QVERIFY(at.left() > first.right());
    QVERIFY(at.top() <= first.top() && at.bottom() >= last.top());
  }

  void tabControl() {
    QTabWidget* tabs = window_->tabControl();
    QCOMPARE(tabs->objectName(), QStringLiteral("SSTab1"));
    QCOMPARE(TwipsIn(tabs, window_.get()), QRect(960, 120, 5175, 3255));
    QCOMPARE(tabs->count(), 7);
    QCOMPARE(tabs->currentIndex(), 0);
    // One row: every tab fully inside the strip, none scrolled out of sight.
    for (int i = 0; i < tabs->count(); ++i)
      QVERIFY(tabs->tabBar()->rect().contains(tabs->tabBar()->tabRect(i)));
  }

  void pageFrames_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("tabCaption");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("frameCaption");
    QTest::newRow("0") << 0 << "Patient"
                       << "Frame2"
                       << "Patient Information";
    QTest::newRow("1") << 1 << "Prescription"
                       << "Frame3"
                       << "Prescription Information";
    QTest::newRow("2") << 2 << "Lens"
                       << "Frame7"
                       << "Lens Information";
    QTest::newRow("3") << 3 << "Parameters"
                       << "Frame10"
                       << "Vertex, Tilt , and Wrap";
    QTest::newRow("4") << 4 << "About"
                       << "Frame1"
                       << "About";
    QTest::newRow("5") << 5 << "Work Ticket"
                       << "workticket"
                       << "Work Ticket";
    QTest::newRow("6") << 6 << "As Worn"
                       << "asworncheck"
                       << "As-Worn Check";
  }
  void pageFrames() {
    QFETCH(int, tab);
    QFETCH(QString, tabCaption);
    QFETCH(QString, frame);
    QFETCH(QString, frameCaption);
    QTabWidget* tabs = window_->tabControl();
    QCOMPARE(tabs->tabText(tab), tabCaption);
    tabs->setCurrentIndex(tab);
    QGroupBox* box = Group(frame);
    QVERIFY(box);
    QCOMPARE(box->title(), frameCaption);
    // The page's only child is its frame, and everything else of the page is inside it.
    QCOMPARE(box->parentWidget(), tabs->widget(tab));
    QCOMPARE(tabs->widget(tab)->children().size(), 1);
    QCOMPARE(TwipsIn(box, tabs), QRect(120, 360, 4935, 2775));
  }

  void fixedTexts_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text");
    QTest::newRow("first name row") << "Frame2" << 0 << "First Name";
    QTest::newRow("last name row") << "Frame2" << 0 << "Last Name";
    QTest::newRow("record row") << "Frame2" << 0 << "Record #";
    QTest::newRow("instructions")
        << "Frame2" << 0
        << "Use the tabs on top in order from patient to work ticket to enter the various data "
           "about the patients Rx.  When you reach the work ticket press the compute button to "
           "get the compensated Rx.  To help avoid confusion keep a printed copy of the work "
           "ticket in the client file and inform the prescribing doctor of your compesations to "
           "help avoi any confusion.  ";
    for (const char* frame : {"Frame3", "Frame7", "Frame10"}) {
      const int tab = QByteArray(frame) == "Frame3" ? 1 : QByteArray(frame) == "Frame7" ? 2 : 3;
      QTest::addRow("%s right row", frame) << frame << tab << "Right (OD)";
      QTest::addRow("%s left row", frame) << frame << tab << "Left (OS)";
    }
    QTest::newRow("note") << "Frame3" << 1
                          << "Note: all prescription fields should be entered. No null values "
                             "allowed.";
    for (const char* material :
         {"CR-39 - 1.498", "Glass - 1.523", "Trivex - 1.53", "Spectra - 1.54", "Ormex - 1.56",
          "Poly - 1.586", "Thin Lite - 1.6/1.67", "Teslalid - 1.70", "Fusio - 1.74"})
      QTest::addRow("legend %s", material) << "Frame7" << 2 << material;
    QTest::newRow("both eyes row") << "Frame10" << 3 << "Both (OU)";
    QTest::newRow("warning") << "Frame1" << 4
                             << "WARNING: PLEASE USE CALCULATED VALUES AT YOUR OWN RISK.  "
                                "Dravenholt or the Association make no claims as to the "
                                "accuracy of this software.";
    QTest::newRow("original OD") << "Frame18" << 5 << "OD:";
    QTest::newRow("original OS") << "Frame18" << 5 << "OS:";
    QTest::newRow("compensated OD") << "Frame16" << 5 << "OD:";
    QTest::newRow("compensated OS") << "Frame16" << 5 << "OS:";
    QTest::newRow("BC") << "Frame15" << 5 << "BC:";
    QTest::newRow("tilt") << "Frame15" << 5 << "Tilt:";
    QTest::newRow("wrap") << "Frame15" << 5 << "Wrap:";
    QTest::newRow("degree") << "Frame15" << 5 << "\u00B0";
    QTest::newRow("base in") << "Frame17" << 5 << "Base In";
  }
  void fixedTexts() {
    QFETCH(QString, group);
    QFETCH(int, tab);
    QFETCH(QString, text);
    QGroupBox* box = Group(group);
    QVERIFY(box);
    QCOMPARE(TabOf(box), tab);
    QVERIFY2(DirectTexts(box).contains(text), qPrintable(DirectTexts(box).join(" | ")));
  }

  void eyeColumns_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Prescription") << "Frame3" << QStringList{"Frame4", "Frame5", "Frame6"}
                                  << QStringList{"Sphere", "Cylinder", "Axis"};
    QTest::newRow("Lens") << "Frame7" << QStringList{"Frame8", "Frame9", "frame19"}
                          << QStringList{"Base Curve", "Index", "MBS"};
    QTest::newRow("Parameters") << "Frame10" << QStringList{"Frame12", "Frame11"}
                                << QStringList{"Refracted Vertex", "Fitted Vertex"};
  }
  void eyeColumns() {
    QFETCH(QString, page);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, captions);
    QGroupBox* frame = Group(page);
    const QLabel* right = DirectLabel(frame, "Right (OD)");
    const QLabel* left = DirectLabel(frame, "Left (OS)");
    QVERIFY(right && left);
    int previousLeft = right->geometry().right();
    for (int i = 0; i < groups.size(); ++i) {
      QGroupBox* column = Group(groups[i]);
      QVERIFY2(column, qPrintable(groups[i]));
      QCOMPARE(column->parentWidget(), frame);
      QCOMPARE(column->title(), captions[i]);
      QVERIFY(column->geometry().left() > previousLeft);  // left to right, right of captions
      previousLeft = column->geometry().right();
      const QList<QLineEdit*> boxes = column->findChildren<QLineEdit*>();
      QCOMPARE(boxes.size(), 2);
      QLineEdit* od = boxes[0]->objectName().startsWith("od") ? boxes[0] : boxes[1];
      QLineEdit* os = od == boxes[0] ? boxes[1] : boxes[0];
      QVERIFY(od->objectName().startsWith("od") && os->objectName().startsWith("os"));
      QCOMPARE(od->objectName().mid(2), os->objectName().mid(2));
      QVERIFY(od->geometry().top() < os->geometry().top());
      // Each row caption is level with its eye's box.
      const int odMiddle = od->mapTo(frame, od->rect().center()).y();
      const int osMiddle = os->mapTo(frame, os->rect().center()).y();
      QVERIFY(std::abs(right->geometry().center().y() - odMiddle) <= 4);
      QVERIFY(std::abs(left->geometry().center().y() - osMiddle) <= 4);
    }
  }

  void bothEyesRowUnderTheVertexColumns() {
    QGroupBox* frame = Group("Frame10");
    const QLabel* both = DirectLabel(frame, "Both (OU)");
    const QLabel* left = DirectLabel(frame, "Left (OS)");
    QVERIFY(both && both->geometry().top() > left->geometry().bottom());
    const struct {
      const char* group;
      const char* caption;
      Field field;
      const char* above;
    } rows[] = {{"Frame13", "Tilt", Field::tilt, "Frame12"},
                {"Frame14", "Wrap", Field::wrap, "Frame11"}};
    for (const auto& row : rows) {
      QGroupBox* box = Group(row.group);
      QCOMPARE(box->title(), QString(row.caption));
      QCOMPARE(window_->field(row.field)->parentWidget(), box);
      QCOMPARE(box->findChildren<QLineEdit*>().size(), 1);
      QCOMPARE(box->geometry().left(), Group(row.above)->geometry().left());
      QVERIFY(box->geometry().top() > Group(row.above)->geometry().bottom());
    }
  }

  void lensLegendInThreeColumns() {
    QGroupBox* frame = Group("Frame7");
    const QStringList columns[] = {
        {"CR-39 - 1.498", "Glass - 1.523", "Trivex - 1.53", "Spectra - 1.54"},
        {"Ormex - 1.56", "Poly - 1.586", "Thin Lite - 1.6/1.67", "Teslalid - 1.70"},
        {"Fusio - 1.74"}};
    auto* line1 = frame->findChild<QFrame*>("Line1");
    auto* line2 = frame->findChild<QFrame*>("Line2");
    QVERIFY(line1 && line2);
    QCOMPARE(line1->frameShape(), QFrame::VLine);
    QCOMPARE(line2->frameShape(), QFrame::VLine);
    const int dividers[] = {line1->geometry().center().x(), line2->geometry().center().x()};
    for (int c = 0; c < 3; ++c) {
      int previousTop = -1;
      for (const QString& text : columns[c]) {
        const QLabel* label = DirectLabel(frame, text);
        QVERIFY2(label, qPrintable(text));
        const QRect at = label->geometry();
        QVERIFY(at.top() > previousTop);
        previousTop = at.top();
        if (c > 0) QVERIFY2(at.left() > dividers[c - 1], qPrintable(text));
        if (c < 2) QVERIFY2(at.right() < dividers[c], qPrintable(text));
        QVERIFY(at.top() > Group("Frame8")->geometry().bottom());
      }
    }
  }

  void aboutTab() {
    QGroupBox* frame = Group("Frame1");
    auto* picture = frame->findChild<PictureBox*>("Picture1");
    QVERIFY(picture);
    QCOMPARE(picture, window_->picture());
    QCOMPARE(TwipsIn(picture, picture).size(), QSize(1575, 1575));
    QCOMPARE(picture->picture().deviceIndependentSize().toSize(), QSize(99, 100));
    auto* why = frame->findChild<QLabel*>("aboutText");
    auto* author = frame->findChild<QLabel*>("authorText");
    auto* warning = frame->findChild<QLabel*>("warningText");
    QVERIFY(why && author && warning);
    QVERIFY(why->geometry().left() > picture->geometry().right());
    QVERIFY(author->geometry().top() > picture->geometry().bottom());
    QVERIFY(warning->geometry().top() > why->geometry().bottom());
    QVERIFY(author->text().contains("Dravenholt"));
    QVERIFY(why->text().contains("association"));
    for (QLabel* label : {why, author, warning}) QVERIFY(label->alignment() & Qt::AlignHCenter);
  }

  void workTicketBoxes_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QStringList>("upperRow");
    QTest::addColumn<QStringList>("lowerRow");
    QTest::newRow("Original Rx") << "Frame18"
                                 << "Original Rx" << QRect(0, 0, 2295, 855)
                                 << QStringList{"OD:", "odsph2", "odcyl2", "odaxis2"}
                                 << QStringList{"OS:", "ossph2", "oscyl2", "osaxis2"};
    QTest::newRow("Parameters") << "Frame15"
                                << "Parameters" << QRect(1, 0, 2295, 855)
                                << QStringList{"BC:", "odbc2", "Tilt:", "tilt2", "\u00B0"}
                                << QStringList{"BC:", "osbc2", "Wrap:", "wrap2", "\u00B0"};
    QTest::newRow("Compensated Rx") << "Frame16"
                                    << "Compensated Rx" << QRect(0, 1, 2295, 855)
                                    << QStringList{"OD:", "odcsph", "odccyl", "odcaxis"}
                                    << QStringList{"OS:", "oscsph", "osccyl", "oscaxis"};
    QTest::newRow("Prism") << "Frame17"
                           << "Prism Compensation" << QRect(1, 1, 2295, 855)
                           << QStringList{"odprism2", "odpb"} << QStringList{"osprism2", "ospb"};
  }
  void workTicketBoxes() {
    // place: column and row in the two-by-two grid, and the box's size in twips.
    QFETCH(QString, group);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    QFETCH(QStringList, upperRow);
    QFETCH(QStringList, lowerRow);
    QGroupBox* box = Group(group);
    QVERIFY(box);
    QCOMPARE(box->title(), caption);
    QCOMPARE(box->parentWidget(), Group("workticket"));
    QCOMPARE(TwipsIn(box, box).size(), place.size());
    const QRect original = Group("Frame18")->geometry();
    QCOMPARE(box->geometry().left() > original.right(), place.x() == 1);
    QCOMPARE(box->geometry().top() > original.bottom(), place.y() == 1);
    QCOMPARE(box->geometry().left() == original.left(), place.x() == 0);
    QCOMPARE(box->geometry().top() == original.top(), place.y() == 0);
    // Each row read left to right: a ticket label by its name, a caption by its text.
    QStringList upper, lower;
    QList<QLabel*> labels = box->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    std::sort(labels.begin(), labels.end(),
              [](const QLabel* a, const QLabel* b) { return a->x() < b->x(); });
    const int middle = box->height() / 2 + 4;
    for (const QLabel* label : labels) {
      if (label->isHidden()) continue;  // a mark, shown only for a pair outside tolerance
      const bool ticket = FindLabel(label->objectName().toStdString()).has_value();
      (label->geometry().center().y() < middle ? upper : lower)
          << (ticket ? label->objectName() : label->text());
    }
    QCOMPARE(upper, upperRow);
    QCOMPARE(lower, lowerRow);
  }

  void workTicketTopAndFonts() {
    QGroupBox* frame = Group("workticket");
    QLabel* first = window_->ticketLabel(Label::firstname2);
    QLabel* last = window_->ticketLabel(Label::lastname2);
    QLabel* record = window_->ticketLabel(Label::record2);
    for (QLabel* label : {first, last, record}) QCOMPARE(label->parentWidget(), frame);
    for (QLabel* label : {first, last, record}) QCOMPARE(TwipsIn(label, label).width(), 2295);
    QVERIFY(first->geometry().bottom() < last->geometry().top());
    QVERIFY(record->geometry().left() > first->geometry().right());
    QVERIFY(record->alignment() & Qt::AlignRight);
    // The record number is drawn as bars that fit its place; the text stays the copy.
    auto* barcode = qobject_cast<RecordBarcode*>(record);
    QVERIFY(barcode);
    QCOMPARE(TwipsIn(record, record).height(), kRecordBarcodeHeightTwips);
    QVERIFY(record->geometry().right() <= frame->contentsRect().right());
    window_->WriteField(Field::record, QStringLiteral("A12345"));
    QTest::mouseClick(window_->computeButton(), Qt::LeftButton);
    QCOMPARE(record->text(), QStringLiteral("A12345"));
    QVERIFY(barcode->showsBars());
    auto* line = frame->findChild<QFrame*>("Line3");
    QVERIFY(line);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QVERIFY(line->geometry().top() > last->geometry().bottom());
    QVERIFY(line->geometry().bottom() < Group("Frame18")->geometry().top());
    QVERIFY(line->width() > Group("Frame18")->width() * 2);
    for (const char* name : {"tiltDegree", "wrapDegree"}) {
      auto* degree = frame->findChild<QLabel*>(name);
      QVERIFY(degree);
      QCOMPARE(degree->text(), QStringLiteral("\u00B0"));
      QCOMPARE(degree->font().family(), QStringLiteral("MS Sans Serif"));
      QCOMPARE(degree->font().pointSize(), 12);
      QVERIFY(!degree->font().bold());
    }
    QVERIFY(frame->findChild<QLabel*>("tiltDegree")->x() > window_->ticketLabel(Label::tilt2)->x());
  }

  void startUpTexts() {
    for (const FieldInfo& info : kJobSheetFields) {
      QLineEdit* box = window_->field(info.field);
      QCOMPARE(box->objectName(), Q(info.name));
      QCOMPARE(box->text(), Q(info.defaultText));
      QCOMPARE(box->accessibleName(), Q(info.spokenName));
      QVERIFY(box->alignment() & Qt::AlignLeft);
    }
    for (const LabelInfo& info : kWorkTicketLabels) {
      QLabel* label = window_->ticketLabel(info.label);
      QCOMPARE(label->objectName(), Q(info.name));
      QCOMPARE(label->text(), Q(info.startText));
    }
    QCOMPARE(window_->ticketLabel(Label::odpb)->text(), QStringLiteral("Base In"));
    QCOMPARE(window_->ticketLabel(Label::ospb)->text(), QStringLiteral("Base In"));
    QCOMPARE(window_->findChildren<QLineEdit*>().size(), 21);
  }

  void labelsNeverTakeTheFocus() {
    for (const QLabel* label : window_->findChildren<QLabel*>())
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    for (const QGroupBox* box : window_->findChildren<QGroupBox*>())
      QCOMPARE(box->focusPolicy(), Qt::NoFocus);
  }

  void noTextIsCut() {
    // Every static text fits its label, wrapped onto as many lines as it needs.
    for (const QLabel* label : window_->findChildren<QLabel*>()) {
      const QString name = label->objectName() + " \"" + label->text() + "\"";
      if (label->wordWrap())
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
      else
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
    }
    for (const QToolButton* button : window_->findChildren<QToolButton*>())
      QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width(),
               qPrintable(button->text()));
    const auto* strip = dynamic_cast<const TabStrip*>(window_->tabControl()->tabBar());
    QVERIFY(strip);
    for (int i = 0; i < strip->count(); ++i)
      QVERIFY2(strip->fontMetrics().horizontalAdvance(strip->tabText(i)) <=
                   strip->CaptionRect(i).width(),
               qPrintable(strip->tabText(i)));
  }

  // The widest texts a ticket label holds for entries in range and results a lab can make,
  // measured in the label's font against its width; and no label reaches into the next.
  void ticketLabelsHoldTheirWidestTexts_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* label, const char* text) {
      QTest::addRow("%s %s", label, text) << label << text;
    };
    for (const char* power :
         {"odsph2", "odcyl2", "ossph2", "oscyl2", "odcsph", "odccyl", "oscsph", "osccyl"})
      for (const char* text : {"+11.75", "-14.50", "-29.75", "+29.75", "-59.75"}) row(power, text);
    for (const char* axis : {"odaxis2", "osaxis2", "odcaxis", "oscaxis"}) row(axis, "179.9");
    for (const char* curve : {"odbc2", "osbc2"}) row(curve, "15.75");
    for (const char* angle : {"tilt2", "wrap2"}) {
      row(angle, "-37.5");
      row(angle, "+37.5");
    }
    for (const char* prism : {"odprism2", "osprism2"}) row(prism, "9.99");
    for (const char* base : {"odpb", "ospb"}) row(base, "Base Out");
  }
  void ticketLabelsHoldTheirWidestTexts() {
    QFETCH(QString, label);
    QFETCH(QString, text);
    QLabel* shown = window_->ticketLabel(*FindLabel(label.toStdString()));
    QVERIFY2(shown->fontMetrics().horizontalAdvance(text) <= shown->contentsRect().width(),
             qPrintable(QString::number(shown->fontMetrics().horizontalAdvance(text)) + " px in " +
                        QString::number(shown->contentsRect().width())));
    for (const QLabel* other : shown->parentWidget()->findChildren<QLabel*>())
      if (other != shown)
        QVERIFY2(!other->geometry().intersects(shown->geometry()), qPrintable(other->text()));
  }

  // A larger window moves nothing of the job sheet; the as-worn report takes the room, keeps
  // its verdicts in view, and shows every caption and value whole in the layout's font.
  void resizingMovesNothing_data() {
    QTest::addColumn<QSize>("size");  // empty: as the window starts
    QTest::newRow("layout size") << QSize();
    QTest::newRow("twice the layout") << QSize(838, 470);
    QTest::newRow("1000 x 700") << QSize(1000, 700);
  }
  void resizingMovesNothing() {
    QFETCH(QSize, size);
    const std::pair<Field, QString> outside[] = {
        {Field::odsph, "-4.25"}, {Field::odcyl, "-1.50"}, {Field::odaxis, "30"},
        {Field::ossph, "-3.75"}, {Field::oscyl, "-1.25"}, {Field::osaxis, "150"},
        {Field::odn, "1.67"},    {Field::osn, "1.67"},    {Field::odbc, "4"},
        {Field::osbc, "4"},      {Field::oddiam, "65"},   {Field::osdiam, "65"},
        {Field::tilt, "12"},     {Field::wrap, "18"}};
    for (const auto& [field, text] : outside) window_->WriteField(field, text);
    QVERIFY(window_->Compute());
    AsWornReport* report = window_->asWornView().report();
    const QSize reportAtLayout = report->size();
    // The buttons and the tab strip, and the frames of the job sheet with all they hold;
    // of the ticket's frame, what it holds but the note of the order shown.
    QList<QPair<QWidget*, QRect>> before;
    for (QWidget* button : {window_->computeButton(), window_->printButton(), window_->saveButton(),
                            window_->exitButton()})
      before << qMakePair(button, button->geometry());
    before << qMakePair(window_->tabControl()->tabBar(),
                        window_->tabControl()->tabBar()->geometry());
    const auto* tabs = dynamic_cast<const TabControl*>(window_->tabControl());
    QVERIFY(tabs);
    for (int tab = patientTab; tab <= workTicketTab; ++tab) {
      QGroupBox* frame = tabs->frameOf(tab);
      if (tab != workTicketTab) before << qMakePair(frame, frame->geometry());
      for (QWidget* child : frame->findChildren<QWidget*>())
        if (child != window_->asWornView().orderNote())
          before << qMakePair(child, child->geometry());
    }
    if (size.isValid()) window_->resize(size);
    QCoreApplication::processEvents();
    if (size.isValid()) QCOMPARE(window_->size(), size);
    for (const auto& [child, rect] : before)
      QVERIFY2(child->geometry() == rect, qPrintable(child->objectName()));

    window_->tabControl()->setCurrentIndex(asWornTab);
    QCoreApplication::processEvents();
    const QSize room = window_->size() - window_->minimumSize();
    QCOMPARE(report->size(), reportAtLayout + room);
    QCOMPARE(report->font(), window_->font());
    // The verdicts, first, in view without scrolling: each eye, then the pair.
    for (int row = 0; row < 3; ++row) {
      const QRect cell = report->visualRect(report->model()->index(row, 0));
      int widest = 0;
      for (const QString& line : report->item(row, 0)->text().split('\n'))
        widest = std::max(widest, report->fontMetrics().horizontalAdvance(line));
      QVERIFY2(cell.bottom() < report->viewport()->height() &&
                   cell.left() + widest < report->viewport()->width(),
               qPrintable(report->verticalHeaderItem(row)->text()));
    }
    // Whole captions and values: one line each, no wider than the column that shows it.
    const QHeaderView* columns = report->horizontalHeader();
    const int headerMargin = 2 * report->style()->pixelMetric(QStyle::PM_HeaderMargin);
    for (int column = 0; column < report->columnCount(); ++column) {
      const QString caption = report->horizontalHeaderItem(column)->text();
      QVERIFY(!caption.contains('\n'));
      QVERIFY2(columns->fontMetrics().horizontalAdvance(caption) + headerMargin <=
                   columns->sectionSize(column),
               qPrintable(caption));
    }
    const QHeaderView* rows = report->verticalHeader();
    for (int row = 0; row < report->rowCount(); ++row) {
      const QString caption = report->verticalHeaderItem(row)->text();
      QFont font = rows->font();
      font.setBold(report->verticalHeaderItem(row)->font().bold());
      QVERIFY2(QFontMetrics(font).horizontalAdvance(caption) + headerMargin <= rows->width(),
               qPrintable(caption));
      for (int column = 0; column < report->columnCount(); ++column) {
        const QTableWidgetItem* cell = report->item(row, column);
        if (!cell) continue;
        const int width = report->columnSpan(row, column) == 2
                              ? columns->sectionSize(0) + columns->sectionSize(1)
                              : columns->sectionSize(column);
        const QFontMetrics metrics(cell->data(Qt::FontRole).isValid() ? cell->font()
                                                                      : report->font());
        const QStringList lines = cell->text().split('\n');
        for (const QString& line : lines)
          QVERIFY2(metrics.horizontalAdvance(line) < width, qPrintable(line));
        QVERIFY2(metrics.lineSpacing() * lines.size() <= report->rowHeight(row),
                 qPrintable(cell->text()));
      }
    }
  }

  // The size and place the user left the window at come back with the next start, kept in
  // the user's settings; never smaller than the layout, never off the screen.
  void sizeAndPlaceOutliveTheWindow_data() {
    QTest::addColumn<QRect>("left");  // the client area as the user left it
    QTest::addColumn<QSize>("size");  // as the next start opens it; empty: the layout's
    QTest::newRow("larger") << QRect(30, 40, 640, 480) << QSize(640, 480);
    QTest::newRow("smaller than the layout") << QRect(30, 40, 200, 100) << QSize();
    QTest::newRow("off the screen") << QRect(5000, 4000, 500, 300) << QSize(500, 300);
  }
  void sizeAndPlaceOutliveTheWindow() {
    QFETCH(QRect, left);
    QFETCH(QSize, size);
    const QSize layout = window_->minimumSize();
    QCOMPARE(layout, Twips::OfPrimaryScreen().Size(kClientWidth, kClientHeight));
    window_->setGeometry(left);
    QCoreApplication::processEvents();
    QVERIFY(window_->close());
    window_.reset();

    window_ = ShownWindow(false);
    QVERIFY(window_);
    QCOMPARE(window_->size(), size.isValid() ? size : layout);
    const QRect screen = window_->screen()->availableGeometry();
    QVERIFY2(screen.contains(window_->geometry()),
             qPrintable(QString("%1,%2").arg(window_->x()).arg(window_->y())));
    if (screen.contains(left)) QCOMPARE(window_->geometry().topLeft(), left.topLeft());

    // A new user's window: the layout's size, where the system puts it.
    window_.reset();
    window_ = ShownWindow(true);
    QCOMPARE(window_->size(), layout);
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
