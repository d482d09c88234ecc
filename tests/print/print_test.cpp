// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>

#include "as_worn_check.h"
#include "as_worn_check_block.h"
#include "page_tools.h"
#include "print_work_ticket.h"
#include "record_barcode.h"
#include "stand_in_window.h"

namespace asworn {
namespace {

using test::FullAsciiReading;
using test::InkBounds;
using test::PdfPageCount;
using test::PdfPagePng;
using test::Px;
using test::ScanBarcodes;
using test::StandInWindow;

class PrintWorkTicketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    window_.show();
    window_.tabs().setCurrentIndex(kTicketTab);
  }

  // Prints the window, and what else is given below it, into a PDF file of the test folder
  // and returns its path.
  QString PrintToPdf(const QString& name, std::vector<PagePart> below = {}) {
    const QString pdf = dir_.filePath(name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    below.insert(below.begin(), WidgetImage(window_));
    const PrintResult result = PrintWorkTicket(below, printer);
    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    return pdf;
  }

  static constexpr int kTicketTab = 5;

  QTemporaryDir dir_;
  StandInWindow window_;
};

TEST_F(PrintWorkTicketTest, PrintsTheWorkTicketTabOnOnePage) {
  const QString pdf = PrintToPdf(QStringLiteral("ticket.pdf"));
  EXPECT_EQ(PdfPageCount(pdf), 1);

  const QString png = PdfPagePng(pdf, 150);
  const QImage page(png);
  ASSERT_FALSE(page.isNull());
  EXPECT_TRUE(InkBounds(page, 100).isValid()) << "blank page";
  // The record barcode is on the "Work Ticket" tab only.
  EXPECT_EQ(ScanBarcodes(png), QStringLiteral("A12345"));
}

TEST_F(PrintWorkTicketTest, PutsTheWindowOnPaperAtItsScreenSizeOrFittedToThePage) {
  const struct {
    int widthPx;
    bool fitted;
    int barBelowPx;  // a black bar drawn below the window, as wide as it; 0: none
  } cases[] = {{Px(6285), false, 0}, {1800, true, 0}, {Px(6285), false, 96}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widthPx);
    window_.setFixedSize(c.widthPx, Px(3525));
    std::vector<PagePart> below;
    if (c.barBelowPx > 0)
      below.push_back(
          {QSize(c.widthPx, c.barBelowPx), double(window_.logicalDpiX()), [&c](QPainter& painter) {
             painter.fillRect(0, 0, c.widthPx, c.barBelowPx, Qt::black);
           }});
    const QString pdf = PrintToPdf(QStringLiteral("size-%1.pdf").arg(c.widthPx), below);
    const QImage page(PdfPagePng(pdf, 150));
    ASSERT_FALSE(page.isNull());
    // The window background is grey, the paper white: the grey area is the window, and the
    // bar, at its own size, right below it.
    QRect window = InkBounds(page);
    const double barDots = double(c.barBelowPx) / window_.logicalDpiX() * 150;
    window.setBottom(window.bottom() - static_cast<int>(std::lround(barDots)));
    if (c.barBelowPx > 0) {
      EXPECT_EQ(page.pixelColor(window.center().x(), window.bottom() + 3), Qt::black);
      EXPECT_NE(page.pixelColor(window.center().x(), window.bottom() - 3), Qt::black);
    }
    const double inches = double(c.widthPx) / window_.logicalDpiX();
    if (c.fitted) {
      EXPECT_LT(window.width(), inches * 150);
      EXPECT_LE(window.right(), page.width());
      EXPECT_GT(window.width(), page.width() * 0.7);
    } else {
      EXPECT_NEAR(window.width(), inches * 150, 3);
    }
    const double aspect = double(c.widthPx) / Px(3525);
    EXPECT_NEAR(double(window.width()) / window.height(), aspect, aspect * 0.02);
  }
}

TEST_F(PrintWorkTicketTest, PrintingTwiceGivesTheSamePage) {
  const QImage first(PdfPagePng(PrintToPdf(QStringLiteral("first.pdf")), 150));
  const QImage second(PdfPagePng(PrintToPdf(QStringLiteral("second.pdf")), 150));
  ASSERT_FALSE(first.isNull());
  EXPECT_TRUE(first == second);
}

TEST_F(PrintWorkTicketTest, RecordBarcodeScansFromThePrintedPage) {
  const QString records[] = {QStringLiteral("A12345"), QStringLiteral("Rec 7a"),
                             QStringLiteral("Rec #")};
  for (const QString& record : records) {
    SCOPED_TRACE(record.toStdString());
    window_.record2().setText(record);
    const QString pdf = PrintToPdf(QStringLiteral("record.pdf"));
    EXPECT_EQ(FullAsciiReading(ScanBarcodes(PdfPagePng(pdf, 150))), record);
    EXPECT_EQ(window_.record2().text(), record);
  }
}

// The check is searchable text on the same page, each eye's verdict in it, a ticket outside
// tolerance said first.
TEST_F(PrintWorkTicketTest, AsWornCheckIsTextBelowTheWindow) {
  optics::EyeInput minusToric;  // the ticket's thin-lens order, outside by its axis
  minusToric.prescription = {-4, -1, 30};
  minusToric.index = 1.6;
  minusToric.baseCurve = 4;
  minusToric.fittedVertexMm = 10;
  minusToric.ordered = {-3.33, -1.37, 34.2};
  optics::EyeInput mirrored = minusToric;
  mirrored.prescription.axis = 150;
  mirrored.ordered = {-3.31, -1.39, 142.6};  // near the exact order
  optics::EyeInput rightExact = minusToric;
  rightExact.ordered = {-3.31, -1.39, 37.4};
  optics::EyeInput flat = minusToric;
  flat.index = 1;
  // An anisometropic pair: each lens its exact order, the pair apart vertically as worn.
  optics::EyeInput plusOne;
  plusOne.prescription = {1, 0, 180};
  plusOne.index = 1.6;
  plusOne.baseCurve = 7;
  plusOne.thicknessMm = 3;
  plusOne.ordered = {1, 0, 180};
  optics::EyeInput plusFour = plusOne;
  plusFour.prescription = {4, 0, 180};
  plusFour.baseCurve = 10;
  plusFour.thicknessMm = 6;
  plusFour.ordered = {4, 0, 180};
  struct Row {
    const char* name;
    optics::EyeInput od, os;
    QStringList expected;  // in this order on the page
    bool outside;
    optics::OrderChoice order = optics::OrderChoice::ticketFormula;
    std::string separator = ".";
  };
  const std::vector<Row> rows{
      {"one eye outside",
       minusToric,
       mirrored,
       {"As-worn check (exact ray trace)", "OUTSIDE the ANSI Z80.1-2015 tolerances",
        "Right eye (OD)", "Lens as ordered -3.33 -1.37 x 34.2 (1.50 mm thick)",
        "power as worn -3.96 -0.99 x 24.9", "required -3.95 -0.97 x 30.0",
        "outside tolerance: axis off by 5.1° (±3°)", "Exact order -3.31 -1.39 x 37.4",
        "0.13 Δ base out, 0.12 Δ base down", "Left eye (OS)", "within tolerance"},
       true},
      {"both within",
       rightExact,
       mirrored,
       {"As-worn check (exact ray trace)", "Right eye (OD)", "within tolerance", "Left eye (OS)",
        "within tolerance"},
       false},
      {"an eye that cannot be traced",
       flat,
       mirrored,
       {"As-worn check (exact ray trace)", "Not checked as worn: Right eye (OD).", "Right eye (OD)",
        "Cannot be traced as worn: the index must be above 1", "Left eye (OS)"},
       false},
      {"the exact order is the lens ordered",
       minusToric,
       mirrored,
       {"Lens ordered by the exact order (ray trace).", "Right eye (OD)",
        "Lens as ordered -3.31 -1.39 x 37.0", "within tolerance",
        "ground in against it: 0.13 Δ base in", "Left eye (OS)",
        "Lens as ordered -3.31 -1.39 x 143.0", "vertical imbalance 0.00 Δ, within 0.33 Δ",
        "frame convention"},
       false,
       optics::OrderChoice::exact,
       "."},
      {"a pair outside its vertical imbalance, each lens within",
       plusOne,
       plusFour,
       {"As-worn check (exact ray trace)", "OUTSIDE the ANSI Z80.1-2015 tolerances as worn.",
        "Pair: vertical imbalance", "OUTSIDE 0.33 Δ", "Right eye (OD)", "within tolerance",
        "Left eye (OS)", "within tolerance", "Pair, ANSI Z80.1 mounted"},
       true,
       optics::OrderChoice::exact,
       "."},
      {"a comma format: every number of the check with the ticket's comma",
       minusToric,
       mirrored,
       {"Lens as ordered -3,33 -1,37 x 34,2 (1,50 mm thick)", "power as worn -3,96 -0,99 x 24,9",
        "required -3,95 -0,97 x 30,0", "outside tolerance: axis off by 5,1° (±3°)",
        "Exact order -3,31 -1,39 x 37,4", "0,13 Δ base out, 0,12 Δ base down"},
       true,
       optics::OrderChoice::ticketFormula,
       ","},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    optics::AsWornInput input;
    input.od = row.od;
    input.os = row.os;
    input.tiltDegrees = 15;
    input.wrapDegrees = 15;
    input.order = row.order;
    const optics::AsWornResult check = optics::AsWornCheck(input);
    const double widthInches = static_cast<double>(window_.width()) / window_.logicalDpiX();
    const QString pdf = PrintToPdf(QStringLiteral("as-worn.pdf"),
                                   {AsWornCheckPart(check, widthInches, row.separator)});
    EXPECT_EQ(PdfPageCount(pdf), 1);
    const QString text =
        test::Run(QStringLiteral(PDFTOTEXT_EXECUTABLE), {pdf, QStringLiteral("-")}).simplified();
    qsizetype at = 0;
    for (const QString& part : row.expected) {
      const qsizetype found = text.indexOf(part, at);
      EXPECT_GE(found, 0) << part.toStdString() << " in " << text.toStdString();
      if (found >= 0) at = found + part.size();
    }
    EXPECT_EQ(text.contains(QStringLiteral("OUTSIDE")), row.outside);
    // The window's image is still on the page, above the text.
    EXPECT_EQ(ScanBarcodes(PdfPagePng(pdf, 150)), QStringLiteral("A12345"));
  }
}

TEST_F(PrintWorkTicketTest, PrinterThatCannotTakeTheJobIsReportedAndChangesNothing) {
  const QStringList before = window_.Texts();
  const QString missingFolder = dir_.filePath(QStringLiteral("no/such/folder/ticket.pdf"));
  QPrinter unwritable(QPrinter::HighResolution);
  unwritable.setOutputFormat(QPrinter::PdfFormat);
  unwritable.setOutputFileName(missingFolder);
  window_.tabs().setCurrentIndex(1);

  const PrintResult result = PrintWorkTicket({WidgetImage(window_)}, unwritable);
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(result.error.startsWith(QStringLiteral("The work ticket could not be printed: ")))
      << result.error.toStdString();
  EXPECT_EQ(window_.tabs().currentIndex(), 1);
  EXPECT_EQ(window_.Texts(), before);
  EXPECT_FALSE(QFile::exists(missingFolder));
}

}  // namespace
}  // namespace asworn
