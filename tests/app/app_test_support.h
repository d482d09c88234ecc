#pragma once
// Shared by the window tests: a shown window, names from the engine tables, and a watcher
// that answers the next modal message box so that no test waits on it.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string_view>

#include "main_window.h"
#include "twips.h"

namespace asworn::app::test {

inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::unique_ptr<MainWindow> ShownWindow() {
  auto window = std::make_unique<MainWindow>();
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
};

// Looks for a modal message box every few milliseconds for up to five seconds, records it
// and presses its OK button.
inline void AnswerNextMessageBox(SeenMessageBox* seen, int triesLeft = 500) {
  QTimer::singleShot(10, qApp, [seen, triesLeft] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen->seen = true;
      seen->title = box->windowTitle();
      seen->text = box->text();
      seen->icon = box->icon();
      seen->modal = box->isModal();
      box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
      return;
    }
    if (triesLeft > 0) AnswerNextMessageBox(seen, triesLeft - 1);
  });
}

}  // namespace asworn::app::test
