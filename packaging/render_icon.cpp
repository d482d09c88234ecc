// SPDX-License-Identifier: Apache-2.0
// Draws an SVG picture into square PNG files, one per size, for the desktop's icon theme.
//   render_icon PICTURE.svg OUTPUT_DIR SIZE...   writes OUTPUT_DIR/SIZExSIZE.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  // The picture holds text, so fonts are needed: a GUI application, on any platform plugin.
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: render_icon PICTURE.svg OUTPUT_DIR SIZE...\n");
    return 64;
  }
  QSvgRenderer renderer(args[1]);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  const QDir out(args[2]);
  for (qsizetype i = 3; i < args.size(); ++i) {
    bool ok = false;
    const int size = args[i].toInt(&ok);
    if (!ok || size <= 0) {
      std::fprintf(stderr, "render_icon: bad size %s\n", qPrintable(args[i]));
      return 64;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    const QString file = out.filePath(QStringLiteral("%1x%1.png").arg(size));
    if (!image.save(file, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
