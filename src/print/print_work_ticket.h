#pragma once
// Printing the work ticket: the main window's image, showing the "Work Ticket" tab, on one page.

#include <QString>
#include <memory>

class QPrinter;
class QTabWidget;
class QWidget;

namespace asworn::optics {
struct AsWornResult;
}

namespace asworn {

// The tab that holds the work ticket.
inline constexpr int kWorkTicketTab = 5;

// Outcome of a print: no error when the page went to the printer.
struct PrintResult {
  QString error;  // complete sentence for the user
  bool ok() const { return error.isEmpty(); }
};

// Brings the "Work Ticket" tab to the front, then puts the image of the window's client area,
// as displayed, on one page of printer: drawn at the printer's own resolution, at the window's
// physical size on screen or smaller to fit the page, aspect kept. When the printer cannot take
// the job, says why; the tab change is all that has happened then. With the as-worn check of
// the ticket's Compute, its block follows below the image, the image shrunk when needed.
PrintResult PrintWorkTicket(QWidget& window, QTabWidget& tabs, QPrinter& printer,
                            const optics::AsWornResult* asWorn = nullptr);

// The system's default printer at its full resolution, or why there is none.
struct DefaultPrinter {
  std::unique_ptr<QPrinter> printer;
  QString error;
};
DefaultPrinter OpenDefaultPrinter();

// Tells the user, in a modal message box over window, why the ticket was not printed.
void ShowPrintFailure(QWidget& window, const QString& message);

// What the "Print" button does: PrintWorkTicket on the default printer, reporting a failure to
// the user.
PrintResult PrintWorkTicketOnDefaultPrinter(QWidget& window, QTabWidget& tabs,
                                            const optics::AsWornResult* asWorn = nullptr);

}  // namespace asworn
