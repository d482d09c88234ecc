// SPDX-License-Identifier: Apache-2.0
#pragma once
// Shared by the window tests: a shown window without a printer, names from the engine tables,
// and a watcher that answers modal message boxes so that no test waits on one.

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string_view>
#include <vector>

#include "main_window.h"
#include "qt_text.h"
#include "twips.h"

namespace asworn::app::test {

inline QString Q(std::string_view text) {
  return ToQString(text);
}

// What Print finds in a test window unless the test gives it a printer of its own: none, so
// that no test reaches a printer of the machine it runs on.
inline const QString kNoTestPrinter =
    QStringLiteral("The work ticket could not be printed: no printer in this test.");

// A PDF "printer" writing to `path`, for Print to use.
inline PrinterLookup PdfPrinterAt(const QString& path) {
  return [path] {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return PrinterChoice{std::move(printer), {}};
  };
}

// The user's settings of a test live in a temporary folder of their own, never in the home
// folder of the machine; `fresh` starts them empty, as for a new user.
inline void UseTestSettings(bool fresh) {
  static QTemporaryDir folder;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  if (fresh)
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral(ASWORN_APP_ID)).clear();
}

inline std::unique_ptr<MainWindow> ShownWindow(bool freshSettings = true) {
  UseTestSettings(freshSettings);
  auto window = std::make_unique<MainWindow>();
  window->SetPrinterLookup([] { return PrinterChoice{nullptr, kNoTestPrinter}; });
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  return window;
}

// A control's rectangle inside `ancestor`, in twips (rounded to whole twips).
inline QRect TwipsIn(const QWidget* widget, const QWidget* ancestor) {
  const Twips twips = Twips::OfPrimaryScreen();
  const QPoint at = widget->mapTo(ancestor, QPoint(0, 0));
  auto tw = [&](int px) { return static_cast<int>(std::lround(twips.ToTwips(px))); };
  return QRect(tw(at.x()), tw(at.y()), tw(widget->width()), tw(widget->height()));
}

struct SeenMessageBox {
  bool seen = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool modal = false;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QRect frame;  // where it stood on the screen
};

// How a watched box is answered.
enum class Answer { ok, cancel, escapeKey, closeBox, save, discard, enterKey };

// While it lives, answers every modal message box that comes up, in turn with the given
// answers, and records what each box showed. A box beyond the answers is closed with Esc,
// so that an unexpected box fails the test instead of hanging it.
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(std::vector<Answer> answers) : answers_(std::move(answers)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  const std::vector<SeenMessageBox>& seen() const { return seen_; }
  QStringList texts() const {
    QStringList texts;
    for (const SeenMessageBox& box : seen_) texts << box.text;
    return texts;
  }

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    SeenMessageBox seen{true,           box->windowTitle(),     box->text(),           box->icon(),
                        box->isModal(), box->standardButtons(), QMessageBox::NoButton, QRect()};
    if (box->defaultButton()) seen.defaultButton = box->standardButton(box->defaultButton());
    seen.frame = box->frameGeometry();
    const Answer answer =
        seen_.size() < answers_.size() ? answers_[seen_.size()] : Answer::escapeKey;
    seen_.push_back(seen);
    switch (answer) {
      case Answer::ok:
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
        break;
      case Answer::cancel:
        if (QAbstractButton* cancel = box->button(QMessageBox::Cancel)) cancel->click();
        break;
      case Answer::escapeKey:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
      case Answer::closeBox:
        box->close();
        break;
      case Answer::save:
      case Answer::discard:
        if (QAbstractButton* b =
                box->button(answer == Answer::save ? QMessageBox::Save : QMessageBox::Discard))
          b->click();
        break;
      case Answer::enterKey:
        QTest::keyClick(box, Qt::Key_Return);
        break;
    }
  }

  std::vector<Answer> answers_;
  std::vector<SeenMessageBox> seen_;
  QTimer timer_;
};

}  // namespace asworn::app::test
