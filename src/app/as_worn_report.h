// SPDX-License-Identifier: Apache-2.0
#pragma once
// The as-worn check on its page, as a table a reader can walk: a column per eye, one row per
// quantity with its unit in the row's caption, and headings across both eyes. The verdicts
// come first, so they stand in view without scrolling; the values below them scroll.

#include <QString>
#include <QTableWidget>
#include <string>

#include "as_worn_check.h"

namespace asworn::app {

class AsWornReport : public QTableWidget {
 public:
  explicit AsWornReport(QWidget* parent);

  // The check of both eyes and the pair, with the order and reading it was made with.
  void ShowCheck(const optics::AsWornResult& check, const std::string& separator);
  // Why no check is shown: one cell of words, wrapped to the table's width.
  void ShowNotice(const QString& why);
  // Every caption and cell as shown, a row to a line, the cells after a tab.
  QString Text() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitColumns();

  bool notice_ = false;
};

}  // namespace asworn::app
