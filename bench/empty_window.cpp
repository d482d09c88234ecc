// SPDX-License-Identifier: Apache-2.0
// The yardstick for the window's start-up: an empty Qt window of the same title, shown by
// the same Qt, so bench/startup_bench.sh can time both the same way.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Form1"));
  window.resize(640, 480);
  window.show();
  return QApplication::exec();
}
