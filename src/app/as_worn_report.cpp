// SPDX-License-Identifier: Apache-2.0
#include "as_worn_report.h"

#include <QHeaderView>
#include <QStringList>
#include <vector>

#include "as_worn_wording.h"

namespace asworn::app {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

const QString kWithin = QString::fromUtf8("\u2713 ");   // check mark
const QString kOutside = QString::fromUtf8("\u2717 ");  // ballot x

// One line of the table. A heading or an `across` line has one text for both eyes.
struct Line {
  QString caption;
  QString shown[2];
  QString spoken[2];  // what a screen reader says for the cell; empty: what is shown
  bool outside[2] = {false, false};
  bool heading = false;
  bool across = false;
};

Line Heading(const char* caption) {
  Line line;
  line.caption = QString::fromUtf8(caption);
  line.heading = true;
  return line;
}

Line Across(const char* caption, const QString& text, const QString& spoken = {},
            bool outside = false) {
  Line line;
  line.caption = QString::fromUtf8(caption);
  line.shown[0] = text;
  line.spoken[0] = spoken;
  line.outside[0] = outside;
  line.across = true;
  return line;
}

// The parts outside tolerance each on a line of their own, so that a column is as wide as
// one part and no part is ever broken.
QString Verdict(const optics::AnsiResult& verdict, const std::string& separator) {
  if (verdict.Within()) return kWithin + QStringLiteral("within tolerance");
  QStringList lines{kOutside + QStringLiteral("OUTSIDE")};
  for (const std::string& part : ordering::PartsOutside(verdict, separator)) lines << Q(part);
  return lines.join(QLatin1Char('\n'));
}

std::vector<Line> Lines(const optics::AsWornResult& check, const std::string& separator) {
  const optics::EyeCheckOutcome* eyes[] = {&check.od, &check.os};
  const Eye sides[] = {Eye::right, Eye::left};
  const char* names[] = {"Right", "Left"};
  std::vector<Line> lines;
  const auto eyeLine = [&](const char* caption, auto text) {
    Line line;
    line.caption = QString::fromUtf8(caption);
    for (int i = 0; i < 2; ++i)
      if (eyes[i]->check) line.shown[i] = Q(text(*eyes[i]->check));
    lines.push_back(line);
  };

  lines.push_back(Heading("Verdicts"));
  Line ansi;
  ansi.caption = QStringLiteral("ANSI Z80.1");
  Line untraced;
  untraced.caption = QStringLiteral("Not checked");
  for (int i = 0; i < 2; ++i) {
    const QString eye = QString::fromLatin1(names[i]);
    if (const auto& c = eyes[i]->check) {
      ansi.shown[i] = Verdict(c->verdict, separator);
      ansi.outside[i] = !c->verdict.Within();
      ansi.spoken[i] = ansi.outside[i]
                           ? Q(ordering::OutsideSentence(sides[i], c->verdict, separator))
                           : eye + QStringLiteral(" lens within ANSI Z80.1 tolerance as worn");
    } else {
      untraced.shown[i] = kOutside + QStringLiteral("cannot be traced:\n") +
                          Q(std::string(optics::FaultText(eyes[i]->fault)));
      untraced.outside[i] = true;
      untraced.spoken[i] = eye + QStringLiteral(" lens not checked as worn: ") +
                           Q(std::string(optics::FaultText(eyes[i]->fault)));
    }
  }
  lines.push_back(ansi);
  if (!untraced.shown[0].isEmpty() || !untraced.shown[1].isEmpty()) lines.push_back(untraced);
  if (check.verticalImbalance) {
    const QString text = Q(ordering::VerticalImbalanceText(check, separator));
    const bool within = check.VerticalImbalanceWithin();
    lines.push_back(Across("Pair, mounted (\u0394)", (within ? kWithin : kOutside) + text,
                           QStringLiteral("Mounted pair: ") + text, !within));
  }

  lines.push_back(Heading("At the fitting point"));
  eyeLine("Required (D, axis \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.required, separator); });
  eyeLine("Lens ordered (D, axis \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.ordered, separator); });
  eyeLine("As worn (D, axis \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.worn, separator); });
  eyeLine("Exact order (D, axis \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.exactOrder, separator); });
  eyeLine("Induced prism (\u0394)",
          [&](const optics::EyeCheck& c) { return ordering::PrismText(c.prism, separator); });
  if (check.settings.order == optics::OrderChoice::exact)
    eyeLine("Prism ground in (\u0394)", [&](const optics::EyeCheck& c) {
      return ordering::CompensatingPrismText(c.compensatingPrism, separator);
    });

  lines.push_back(Heading("Settings"));
  lines.push_back(Across("Lens ordered by", Q(ordering::OrderName(check.settings.order))));
  lines.push_back(Across("Tilt and wrap", Q(ordering::ConventionName(check.settings.convention))));
  return lines;
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return item;
}

}  // namespace

AsWornReport::AsWornReport(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(NoEditTriggers);
  setSelectionMode(NoSelection);
  // Tab leaves the table for the next control, as everywhere in the window; the arrow keys
  // and Page Up and Down walk and scroll it.
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerPixel);
  // Never a text cut short: the columns and rows take their contents' size, and what does
  // not fit scrolls.
  setTextElideMode(Qt::ElideNone);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setTextElideMode(Qt::ElideNone);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
  }
}

void AsWornReport::ShowCheck(const optics::AsWornResult& check, const std::string& separator) {
  const std::vector<Line> lines = Lines(check, separator);
  notice_ = false;
  clear();
  clearSpans();
  setWordWrap(false);
  horizontalHeader()->show();
  verticalHeader()->show();
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  setColumnCount(2);
  setHorizontalHeaderLabels({QStringLiteral("Right (OD)"), QStringLiteral("Left (OS)")});
  setRowCount(static_cast<int>(lines.size()));
  QFont bold = font();
  bold.setBold(true);
  const QBrush band = palette().brush(QPalette::AlternateBase);
  const QColor red(0xc6, 0x28, 0x28);
  for (int row = 0; row < rowCount(); ++row) {
    const Line& line = lines[static_cast<std::size_t>(row)];
    auto* caption = new QTableWidgetItem(line.caption);
    if (line.heading) {
      caption->setFont(bold);
      caption->setBackground(band);
    }
    setVerticalHeaderItem(row, caption);
    const int cells = line.heading || line.across ? 1 : 2;
    if (cells == 1) setSpan(row, 0, 1, 2);
    for (int column = 0; column < cells; ++column) {
      QTableWidgetItem* item = Cell(line.shown[column]);
      if (line.heading) item->setBackground(band);
      if (!line.spoken[column].isEmpty()) {
        item->setData(Qt::AccessibleTextRole, line.spoken[column]);
        item->setToolTip(line.spoken[column]);
      }
      if (line.outside[column]) {
        item->setForeground(red);
        item->setFont(bold);
      }
      setItem(row, column, item);
    }
  }
  resizeColumnsToContents();
  resizeRowsToContents();
  scrollToTop();
}

void AsWornReport::ShowNotice(const QString& why) {
  notice_ = true;
  clear();
  clearSpans();
  setWordWrap(true);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setColumnCount(1);
  setRowCount(1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  setItem(0, 0, Cell(why));
  item(0, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
  resizeRowsToContents();
}

void AsWornReport::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  // The notice wraps anew at the new width.
  if (notice_) resizeRowsToContents();
}

QString AsWornReport::Text() const {
  QStringList lines;
  if (horizontalHeader()->isVisible()) {
    QStringList captions;
    for (int column = 0; column < columnCount(); ++column)
      captions << horizontalHeaderItem(column)->text();
    lines << QLatin1Char('\t') + captions.join(QLatin1Char('\t'));
  }
  for (int row = 0; row < rowCount(); ++row) {
    QStringList cells;
    const QTableWidgetItem* caption = verticalHeaderItem(row);
    cells << (caption && verticalHeader()->isVisible() ? caption->text() : QString());
    for (int column = 0; column < columnCount(); ++column)
      if (const QTableWidgetItem* cell = item(row, column)) cells << cell->text();
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace asworn::app
