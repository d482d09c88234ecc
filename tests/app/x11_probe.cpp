// SPDX-License-Identifier: Apache-2.0
// A small helper for the end-to-end test, run on the test's own X display:
//   x11_probe selection          prints the X primary selection (what is selected in a field)
//   x11_probe grab FILE [WINDOW] saves a picture of the window (or the whole screen) as PNG
//   x11_probe same FILE1 FILE2   exits 0 when the two pictures have the same pixels
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() == 2 && args[1] == "selection") {
    std::fputs(QGuiApplication::clipboard()->text(QClipboard::Selection).toUtf8().constData(),
               stdout);
    return 0;
  }
  if (args.size() >= 3 && args[1] == "grab") {
    const WId window = args.size() > 3 ? args[3].toULongLong() : 0;
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    return shot.save(args[2], "PNG") ? 0 : 1;
  }
  if (args.size() == 4 && args[1] == "same") {
    const QImage a = QImage(args[2]).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(args[3]).convertToFormat(QImage::Format_RGB32);
    return !a.isNull() && a == b ? 0 : 1;
  }
  std::fputs("usage: x11_probe selection | grab FILE [WINDOW] | same FILE1 FILE2\n", stderr);
  return 2;
}
