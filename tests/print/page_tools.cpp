// SPDX-License-Identifier: Apache-2.0
#include "page_tools.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace asworn::test {

QString Run(const QString& program, const QStringList& arguments, int* exitCode) {
  QProcess process;
  process.start(program, arguments);
  const bool finished = process.waitForFinished(60000);
  EXPECT_TRUE(finished) << program.toStdString() << " did not finish";
  if (exitCode) *exitCode = process.exitCode();
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPageCount(const QString& pdf) {
  const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                 QRegularExpression::MultilineOption);
  const auto match = pages.match(Run(QStringLiteral(PDFINFO_EXECUTABLE), {pdf}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfPagePng(const QString& pdf, int dpi) {
  const QFileInfo info(pdf);
  const QString stem =
      info.absolutePath() + '/' + info.completeBaseName() + '-' + QString::number(dpi);
  Run(QStringLiteral(PDFTOPPM_EXECUTABLE),
      {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
       QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, stem});
  return stem + QStringLiteral(".png");
}

QString ScanBarcodes(const QString& png) {
  const QString out =
      Run(QStringLiteral(ZBARIMG_EXECUTABLE),
          {QStringLiteral("--nodbus"), QStringLiteral("--raw"), QStringLiteral("-q"), png});
  return out.endsWith('\n') ? out.chopped(1) : out;
}

QString FullAsciiReading(const QString& raw) {
  // The Code 39 full-ASCII table, pair by pair.
  auto pair = [](QChar shift, QChar c) -> int {
    const int i = c.unicode() - 'A';
    if (c < 'A' || c > 'Z') return -1;
    switch (shift.unicode()) {
      case '$':
        return 1 + i;  // control characters 1 to 26
      case '+':
        return 'a' + i;
      case '/':
        if (i < 15) return '!' + i;  // ! " # $ % & ' ( ) * + , - . /
        return c == 'Z' ? ':' : -1;
      case '%': {
        static const int kPercent[26] = {27,  28,  29,   30,  31,  ';', '<', '=', '>',
                                         '?', '[', '\\', ']', '^', '_', '{', '|', '}',
                                         '~', 127, 0,    '@', '`', 127, 127, 127};
        return kPercent[i];
      }
    }
    return -1;
  };
  QString out;
  for (int i = 0; i < raw.size(); ++i) {
    const int decoded = i + 1 < raw.size() ? pair(raw[i], raw[i + 1]) : -1;
    if (decoded >= 0) {
      out += QChar(decoded);
      ++i;
    } else {
      out += raw[i];
    }
  }
  return out;
}

QRect InkBounds(const QImage& image, int below) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < below) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

}  // namespace asworn::test
