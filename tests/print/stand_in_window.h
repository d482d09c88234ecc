// SPDX-License-Identifier: Apache-2.0
#pragma once
// A small window laid out like the main window: buttons at the left, six tabs, the work ticket
// on tab 5 with its record barcode. Enough to print and scan without the real window.

#include <QStringList>
#include <QWidget>

class QLabel;
class QTabWidget;

namespace asworn::app {
class RecordBarcode;
}

namespace asworn::test {

class StandInWindow : public QWidget {
 public:
  StandInWindow();

  QTabWidget& tabs() const { return *tabs_; }
  app::RecordBarcode& record2() const { return *record2_; }

  // Every label and entry text of the window, in widget order: what printing must not change.
  QStringList Texts() const;

 private:
  QTabWidget* tabs_;
  app::RecordBarcode* record2_;
};

// Twips to pixels at 96 dpi, the resolution the stand-in is laid out for.
int Px(int twips);

}  // namespace asworn::test
