#include "print_work_ticket.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

#include "as_worn_check_block.h"

namespace asworn {
namespace {

QString CouldNotPrint(const QString& why) {
  return QStringLiteral("The work ticket could not be printed: %1.").arg(why);
}

void ShowWorkTicketTab(QTabWidget& tabs) {
  tabs.setCurrentIndex(kWorkTicketTab);
  // A page shown for the first time lays itself out on a posted event; the image must show it
  // laid out. Only layout requests are handled here, never the user's input.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

QString PrinterName(const QPrinter& printer) {
  return printer.printerName().isEmpty()
             ? QStringLiteral("the printer")
             : QStringLiteral("the printer \"%1\"").arg(printer.printerName());
}

}  // namespace

PrintResult PrintWorkTicket(QWidget& window, QTabWidget& tabs, QPrinter& printer,
                            const optics::AsWornResult* asWorn) {
  ShowWorkTicketTab(tabs);

  if (!printer.isValid()) {
    return {CouldNotPrint(PrinterName(printer) + QStringLiteral(" is not available"))};
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    return {CouldNotPrint(PrinterName(printer) + QStringLiteral(" did not accept the job"))};
  }

  // The window's size on screen in inches, in printer dots; smaller if the page is smaller.
  const QSize logical = window.size();
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const double dotsX = printer.logicalDpiX();
  const double dotsY = printer.logicalDpiY();
  double scaleX = dotsX / window.logicalDpiX();
  double scaleY = dotsY / window.logicalDpiY();
  const double gap = asWorn ? dotsY / 6 : 0;
  const double block = asWorn ? gap + AsWornCheckHeight(painter, page.width(), *asWorn) : 0;
  const double fit = std::min({1.0, page.width() / (logical.width() * scaleX),
                               (page.height() - block) / (logical.height() * scaleY)});
  scaleX *= fit;
  scaleY *= fit;

  // Qt draws a widget rendered onto a printer into a bitmap of the printer's own resolution
  // first (styles may paint with transparency), so the page is as sharp as the printer allows.
  painter.scale(scaleX, scaleY);
  window.render(&painter, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  if (asWorn) {
    painter.resetTransform();
    const double top = logical.height() * scaleY + gap;
    DrawAsWornCheck(painter, QRectF(0, top, page.width(), page.height() - top), *asWorn);
  }
  if (!painter.end()) {
    return {CouldNotPrint(QStringLiteral("the print system refused the job"))};
  }
  return {};
}

DefaultPrinter OpenDefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull())
    return {nullptr, CouldNotPrint(QStringLiteral("no default printer is set up"))};
  return {std::make_unique<QPrinter>(info, QPrinter::HighResolution), QString()};
}

void ShowPrintFailure(QWidget& window, const QString& message) {
  QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), message,
                  QMessageBox::Ok, &window);
  box.setTextFormat(Qt::PlainText);  // a printer's name is no markup
  box.exec();
}

PrintResult PrintWorkTicketOnDefaultPrinter(QWidget& window, QTabWidget& tabs,
                                            const optics::AsWornResult* asWorn) {
  ShowWorkTicketTab(tabs);
  DefaultPrinter target = OpenDefaultPrinter();
  const PrintResult result = target.printer ? PrintWorkTicket(window, tabs, *target.printer, asWorn)
                                            : PrintResult{target.error};
  if (!result.ok()) ShowPrintFailure(window, result.error);
  return result;
}

}  // namespace asworn
