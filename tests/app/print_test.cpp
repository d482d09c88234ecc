// SPDX-License-Identifier: Apache-2.0
// Print on the window: the "Work Ticket" tab comes forward, a missing printer is reported and
// changes nothing else, and the printed page of the real window carries a record barcode that
// a scanner reads.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "app_test_support.h"

using namespace asworn;
using namespace asworn::app;
using namespace asworn::app::test;

namespace {

// Runs an outside program to its end; false when it could not run or failed.
bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return false;
  if (output) *output = QString::fromUtf8(process.readAllStandardOutput());
  return process.exitCode() == 0;
}

// What zbarimg reads in the image; empty when it finds nothing.
QString ScanBarcode(const QString& png) {
  QString out;
  Run(QStringLiteral(ZBARIMG_EXECUTABLE),
      {QStringLiteral("--nodbus"), QStringLiteral("--raw"), QStringLiteral("-q"), png}, &out);
  return out.trimmed();
}

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;

  QStringList Texts() const {
    QStringList texts;
    for (const FieldInfo& info : kJobSheetFields) texts << window_->field(info.field)->text();
    for (const LabelInfo& info : kWorkTicketLabels)
      texts << window_->ticketLabel(info.label)->text();
    return texts;
  }

 private slots:
  void init() {
    window_ = ShownWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  // Print brings the ticket forward from any tab; a printer that cannot be had or that
  // refuses the job is reported in the window's warning box and changes nothing else.
  void printShowsTheTicketAndReportsAFailure_data() {
    QTest::addColumn<QString>("printer");  // "": none found; else a PDF file in the test folder
    QTest::addColumn<QString>("warning");  // "": printed without a box
    QTest::newRow("no printer") << "" << kNoTestPrinter;
    QTest::newRow("printer refuses the job") << "no/such/folder/ticket.pdf"
                                             << "The work ticket could not be printed: ";
    QTest::newRow("printed") << "ticket.pdf"
                             << "";
  }
  void printShowsTheTicketAndReportsAFailure() {
    QFETCH(QString, printer);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!printer.isEmpty()) window_->SetPrinterLookup(PdfPrinterAt(dir.filePath(printer)));
    window_->WriteField(Field::lastname, "Ochs");
    QVERIFY(window_->Compute());  // a current ticket: Print computes nothing
    window_->tabControl()->setCurrentIndex(patientTab);
    const QStringList texts = Texts();

    MessageBoxWatcher watcher({Answer::ok});
    QTest::mouseClick(window_->printButton(), Qt::LeftButton);
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(workTicketTab));
    QCOMPARE(Texts(), texts);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    if (warning.isEmpty()) {
      QCOMPARE(watcher.seen().size(), std::size_t{0});
      QVERIFY(QFileInfo(dir.filePath(printer)).size() > 0);
      return;
    }
    QCOMPARE(watcher.seen().size(), std::size_t{1});
    const SeenMessageBox& box = watcher.seen()[0];
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.title, QStringLiteral("As-Worn Rx"));
    QVERIFY(box.modal);
    QVERIFY2(box.text.startsWith(warning), qPrintable(box.text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
  }

  void recordBarcodeReadsBackFromScreenAndPaper() {
    window_->WriteField(Field::record, "A12345");
    QVERIFY(window_->Compute());
    QCOMPARE(window_->ticketLabel(Label::record2)->text(), QStringLiteral("A12345"));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString grab = dir.filePath("window.png");
    QVERIFY(window_->grab().save(grab));
    QCOMPARE(ScanBarcode(grab), QStringLiteral("A12345"));

    // Printed from another tab: the page shows the ticket all the same.
    window_->tabControl()->setCurrentIndex(prescriptionTab);
    const QString pdf = dir.filePath("ticket.pdf");
    window_->SetPrinterLookup(PdfPrinterAt(pdf));
    QVERIFY(window_->Print());
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(workTicketTab));

    const QString stem = dir.filePath("page");
    QVERIFY(Run(QStringLiteral(PDFTOPPM_EXECUTABLE),
                {"-png", "-r", "150", "-singlefile", "-f", "1", pdf, stem}));
    const QString page = stem + QStringLiteral(".png");
    QCOMPARE(ScanBarcode(page), QStringLiteral("A12345"));
    // Below it the as-worn check of the default job sheet: plano lenses, within tolerance.
    QString text;
    QVERIFY(Run(QStringLiteral(PDFTOTEXT_EXECUTABLE), {pdf, "-"}, &text));
    text = text.simplified();
    QVERIFY2(text.contains("As-worn check (exact ray trace)"), qPrintable(text));
    QCOMPARE(text.count("ANSI Z80.1-2015: within tolerance"), 2);
  }

  // The window's image on the page is the job sheet at the layout's size, however large the
  // user made the window, and the window keeps its size on screen.
  void pageImageHasTheLayoutSize_data() {
    QTest::addColumn<QSize>("size");  // the window's; empty: as it starts
    QTest::newRow("layout size") << QSize();
    QTest::newRow("1000 x 700") << QSize(1000, 700);
  }
  void pageImageHasTheLayoutSize() {
    QFETCH(QSize, size);
    QVERIFY(window_->Compute());
    const QSize layout = Twips::OfPrimaryScreen().Size(kClientWidth, kClientHeight);
    const auto draw = [](const PagePart& part) {
      QImage image(part.size, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      part.draw(painter);
      return image;
    };
    const QImage atLayout = draw(window_->LayoutImage());
    if (size.isValid()) window_->resize(size);
    QCoreApplication::processEvents();
    const QRect tabs = window_->tabControl()->geometry();

    const PagePart part = window_->LayoutImage();
    QCOMPARE(part.size, layout);
    QCOMPARE(draw(part), atLayout);
    QCOMPARE(window_->tabControl()->geometry(), tabs);
    QCOMPARE(window_->size(), size.isValid() ? size : layout);
  }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
