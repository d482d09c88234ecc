// SPDX-License-Identifier: Apache-2.0
#include "print_work_ticket.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>

namespace asworn {
namespace {

QString PrinterName(const QPrinter& printer) {
  return printer.printerName().isEmpty()
             ? QStringLiteral("the printer")
             : QStringLiteral("the printer \"%1\"").arg(printer.printerName());
}

}  // namespace

QString CouldNotPrint(const QString& why) {
  return QStringLiteral("The work ticket could not be printed: %1.").arg(why);
}

PagePart WidgetImage(QWidget& widget) {
  return {widget.size(), static_cast<double>(widget.logicalDpiX()), [&widget](QPainter& painter) {
            // Qt draws a widget rendered onto a printer into a bitmap of the printer's own
            // resolution first (styles may paint with transparency), so the page is as sharp as
            // the printer allows.
            widget.render(&painter, QPoint(), QRegion(),
                          QWidget::DrawWindowBackground | QWidget::DrawChildren);
          }};
}

PagePart WidgetImageAt(QWidget& widget, QSize size, std::function<void(QSize)> layOut) {
  return {size, static_cast<double>(widget.logicalDpiX()),
          [&widget, size, layOut = std::move(layOut)](QPainter& painter) {
            // The children take the places of `size` and back again before the screen is
            // painted anew: the user never sees the smaller layout.
            layOut(size);
            widget.render(&painter, QPoint(), QRegion(QRect(QPoint(), size)),
                          QWidget::DrawWindowBackground | QWidget::DrawChildren);
            layOut(widget.size());
          }};
}

PrintResult PrintWorkTicket(const std::vector<PagePart>& parts, QPrinter& printer) {
  if (!printer.isValid())
    return {CouldNotPrint(PrinterName(printer) + QStringLiteral(" is not available"))};
  QPainter painter;
  if (!painter.begin(&printer))
    return {CouldNotPrint(PrinterName(printer) + QStringLiteral(" did not accept the job"))};

  // Each part's size on screen in inches, in printer dots; all smaller if the page is smaller.
  const double dotsPerInch = printer.logicalDpiX();
  double width = 0;
  double height = 0;
  for (const PagePart& part : parts) {
    width = std::max(width, part.size.width() * dotsPerInch / part.dotsPerInch);
    height += part.size.height() * dotsPerInch / part.dotsPerInch;
  }
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  double fit = 1.0;
  if (width > 0) fit = std::min(fit, page.width() / width);
  if (height > 0) fit = std::min(fit, page.height() / height);

  double top = 0;
  for (const PagePart& part : parts) {
    const double scale = dotsPerInch / part.dotsPerInch * fit;
    painter.save();
    painter.translate(0, top);
    painter.scale(scale, scale);
    part.draw(painter);
    painter.restore();
    top += part.size.height() * scale;
  }
  if (!painter.end()) return {CouldNotPrint(QStringLiteral("the print system refused the job"))};
  return {};
}

PrinterChoice OpenDefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull())
    return {nullptr, CouldNotPrint(QStringLiteral("no default printer is set up"))};
  return {std::make_unique<QPrinter>(info, QPrinter::HighResolution), QString()};
}

}  // namespace asworn
