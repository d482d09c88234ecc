// Pictures of every tab, and of the ticket after a Compute, for the docs and for looking at.
#include <QDir>
#include <QTabWidget>
#include <QtTest>

#include "app_test_support.h"

using namespace asworn::app;
using namespace asworn::app::test;

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyTab() {
    QDir().mkpath(ASWORN_SCREENSHOT_DIR);
    auto window = ShownWindow();
    QVERIFY(window);
    const char* names[] = {"patient",    "prescription", "lens",
                           "parameters", "about",        "work-ticket-empty"};
    for (int tab = 0; tab < kTabCount; ++tab) {
      window->tabControl()->setCurrentIndex(tab);
      const QString path =
          QStringLiteral(ASWORN_SCREENSHOT_DIR "/tab-%1-%2.png").arg(tab).arg(names[tab]);
      QVERIFY2(window->grab().save(path), qPrintable(path));
    }
    window->tabControl()->setCurrentIndex(prescriptionTab);
    QTest::mouseClick(window->computeButton(), Qt::LeftButton);
    QCOMPARE(window->tabControl()->currentIndex(), static_cast<int>(workTicketTab));
    QVERIFY(window->grab().save(QStringLiteral(ASWORN_SCREENSHOT_DIR "/work-ticket.png")));
  }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
