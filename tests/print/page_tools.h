// SPDX-License-Identifier: Apache-2.0
#pragma once
// Reading printed pages and barcodes back with the tools a lab would trust: poppler and zbar.

#include <QImage>
#include <QString>
#include <ostream>

// Test failures show Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace asworn::test {

// Output of a finished run of an outside program; fails the test when it cannot run.
QString Run(const QString& program, const QStringList& arguments, int* exitCode = nullptr);

int PdfPageCount(const QString& pdf);
// The first page as pdftoppm draws it, saved next to the PDF as a PNG.
QString PdfPagePng(const QString& pdf, int dpi);

// What zbarimg reads in the image, raw; empty when it finds nothing.
QString ScanBarcodes(const QString& png);

// A Code 39 full-ASCII reading: the shift pairs ("+A" for 'a', "/C" for '#', ...) turned back
// into the characters they stand for, as a scanner in full-ASCII mode reports them.
QString FullAsciiReading(const QString& raw);

// The rectangle holding every pixel whose grey level is below the given one (255: not white).
QRect InkBounds(const QImage& image, int below = 250);

}  // namespace asworn::test
