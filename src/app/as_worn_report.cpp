// SPDX-License-Identifier: Apache-2.0
#include "as_worn_report.h"

#include <QHeaderView>
#include <QStringList>
#include <algorithm>
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

// The parts outside tolerance each on a line of their own, so that the line is as wide as
// one part and no part is ever broken.
QString Verdict(const optics::AnsiResult& verdict, const std::string& separator) {
  if (verdict.Within()) return kWithin + QStringLiteral("within tolerance");
  QStringList lines{kOutside + QStringLiteral("OUTSIDE tolerance")};
  for (const std::string& part : ordering::PartsOutside(verdict, separator)) lines << Q(part);
  return lines.join(QLatin1Char('\n'));
}

std::vector<Line> Lines(const optics::AsWornResult& check, const std::string& separator) {
  const optics::EyeCheckOutcome* eyes[] = {&check.od, &check.os};
  std::vector<Line> lines;
  const auto eyeLine = [&](const char* caption, auto text) {
    Line line;
    line.caption = QString::fromUtf8(caption);
    for (int i = 0; i < 2; ++i)
      if (eyes[i]->check) line.shown[i] = Q(text(*eyes[i]->check));
    lines.push_back(line);
  };

  // Each verdict across both columns, so that all of them are in view in the smallest window;
  // the standard is named in their row captions rather than in a heading of its own, which
  // would push the pair's line out of that window.
  const struct {
    const char* caption;
    const char* lens;
    Eye side;
  } sides[] = {{"ANSI Z80.1, OD", "Right lens", Eye::right},
               {"ANSI Z80.1, OS", "Left lens", Eye::left}};
  for (int i = 0; i < 2; ++i) {
    const QString lens = QString::fromLatin1(sides[i].lens);
    if (const auto& c = eyes[i]->check) {
      const bool within = c->verdict.Within();
      lines.push_back(
          Across(sides[i].caption, Verdict(c->verdict, separator),
                 within ? lens + QStringLiteral(" within ANSI Z80.1 tolerance as worn")
                        : Q(ordering::OutsideSentence(sides[i].side, c->verdict, separator)),
                 !within));
    } else {
      const QString fault = Q(std::string(optics::FaultText(eyes[i]->fault)));
      lines.push_back(Across(sides[i].caption,
                             kOutside + QStringLiteral("not checked, cannot be traced:\n") + fault,
                             lens + QStringLiteral(" not checked as worn: ") + fault, true));
    }
  }
  if (check.verticalImbalance) {
    const QString text = Q(ordering::VerticalImbalanceText(check, separator));
    const bool within = check.VerticalImbalanceWithin();
    QString shown = (within ? kWithin : kOutside) + text;
    shown.replace(QStringLiteral(", "), QStringLiteral(",\n"));
    lines.push_back(
        Across("Pair, mounted", shown, QStringLiteral("Mounted pair: ") + text, !within));
  }

  lines.push_back(Heading("Fitting point"));
  eyeLine("Required (D, \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.required, separator); });
  eyeLine("Lens ordered (D, \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.ordered, separator); });
  eyeLine("As worn (D, \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.worn, separator); });
  eyeLine("Exact order (D, \u00b0)",
          [&](const optics::EyeCheck& c) { return ordering::RxText(c.exactOrder, separator); });
  // A part of the prism to a line: the column stays as narrow as a power.
  eyeLine("Induced prism (\u0394)", [&](const optics::EyeCheck& c) {
    return QString::fromStdString(ordering::PrismText(c.prism, separator))
        .replace(QStringLiteral(", "), QStringLiteral(",\n"))
        .toStdString();
  });
  if (check.settings.order == optics::OrderChoice::exact)
    eyeLine("Prism ground in (\u0394)", [&](const optics::EyeCheck& c) {
      return ordering::CompensatingPrismText(c.compensatingPrism, separator);
    });

  lines.push_back(Heading("Settings"));
  lines.push_back(Across("Lens ordered by", Q(ordering::OrderName(check.settings, separator))));
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
      } else if (line.shown[column].contains(QLatin1Char('\n'))) {
        // Read as one sentence: the lines are only where the cell breaks it.
        item->setData(Qt::AccessibleTextRole,
                      QString(line.shown[column]).replace(QLatin1Char('\n'), QLatin1Char(' ')));
      }
      if (line.outside[column]) item->setForeground(red);
      setItem(row, column, item);
    }
  }
  horizontalHeaderItem(0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeaderItem(1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  FitColumns();
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

void AsWornReport::FitColumns() {
  // Qt sizes a column by every cell that starts in it, a line across both eyes too: the eyes'
  // cells set the columns, and a line across that needs more widens the second.
  QHeaderView* header = horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Fixed);
  int widths[2] = {header->sectionSizeHint(0), header->sectionSizeHint(1)};
  int across = 0;
  for (int row = 0; row < rowCount(); ++row)
    for (int column = 0; column < 2; ++column) {
      if (!item(row, column)) continue;
      const int wanted = sizeHintForIndex(model()->index(row, column)).width();
      if (columnSpan(row, column) > 1)
        across = std::max(across, wanted);
      else
        widths[column] = std::max(widths[column], wanted);
    }
  widths[1] = std::max(widths[1], across - widths[0]);
  for (int column = 0; column < 2; ++column) header->resizeSection(column, widths[column]);
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
