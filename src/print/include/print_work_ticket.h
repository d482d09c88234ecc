// SPDX-License-Identifier: Apache-2.0
#pragma once
// Printing the work ticket: what to draw, stacked from the top of one page, on a given printer.
// Which tab is shown and how a failure reaches the user are the window's business.

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace asworn {

// Outcome of a print: no error when the page went to the printer.
struct PrintResult {
  QString error;  // complete sentence for the user
  bool ok() const { return error.isEmpty(); }
};

// One thing drawn on the page. Parts stand one below the other from the top left, each at its
// physical size (its pixels at its dots per inch), all made smaller together when they would
// not fit the page.
struct PagePart {
  QSize size;                           // in its own pixels
  double dotsPerInch = 96;              // of those pixels
  std::function<void(QPainter&)> draw;  // draws the part at the origin, in its own pixels
};

// The image of a window's client area as displayed, children included.
PagePart WidgetImage(QWidget& widget);
// The image of `widget`'s top-left `size` pixels with its children laid out for that size:
// `layOut` gets `size` before the drawing and the widget's own size after it, so a window
// the user made larger prints as its layout has it, never with the room around it.
PagePart WidgetImageAt(QWidget& widget, QSize size, std::function<void(QSize)> layOut);

// Draws `parts` on one page of `printer`, at the printer's own resolution. When the printer
// cannot take the job, says why and prints nothing.
PrintResult PrintWorkTicket(const std::vector<PagePart>& parts, QPrinter& printer);

// A printer to print on, at its full resolution, or why there is none.
struct PrinterChoice {
  std::unique_ptr<QPrinter> printer;
  QString error;
};

// The system's default printer. Tests put a lookup of their own in its place, so that no
// test depends on, or reaches, the printers of the machine it runs on.
PrinterChoice OpenDefaultPrinter();
using PrinterLookup = std::function<PrinterChoice()>;

// The sentence for a printer that could not be had or that refused the job.
QString CouldNotPrint(const QString& why);

}  // namespace asworn
