// SPDX-License-Identifier: Apache-2.0
// Writes the pictures of the README and the manual into a folder: the Prescription tab, the work
// ticket after Compute, the as-worn check's tab, and a printed ticket (printed into a PDF file,
// never on a printer, and cut to the window with a margin). Run by scripts/screenshots; not a test.
//   app_screenshots FOLDER
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app_test_support.h"

using namespace asworn;
using namespace asworn::app;

namespace {

// The printed page as a picture: 150 dpi, cut to what is drawn on it and 20 pixels around.
bool PageToPng(const QString& pdf, const QString& png) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  const QString stem = pdf + QStringLiteral("-page");
  if (pdftoppm.isEmpty() ||
      QProcess::execute(pdftoppm, {"-png", "-r", "150", "-singlefile", "-f", "1", pdf, stem}) != 0)
    return false;
  const QImage page(stem + QStringLiteral(".png"));
  QRect drawn;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixel(x, y) != qRgb(255, 255, 255)) drawn |= QRect(x, y, 1, 1);
  return !drawn.isNull() && page.copy(drawn.adjusted(-20, -20, 20, 20)).save(png);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: app_screenshots FOLDER\n");
    return 64;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir scratch;
  if (!QDir().mkpath(out.path()) || !scratch.isValid()) return 73;

  const auto window = test::ShownWindow();
  if (!window) return 70;
  // A lab's first patient, whose ticket formula's lenses are outside tolerance as worn.
  const std::pair<Field, const char*> patient[] = {
      {Field::odsph, "-4.25"}, {Field::odcyl, "-1.50"}, {Field::odaxis, "30"},
      {Field::ossph, "-3.75"}, {Field::oscyl, "-1.25"}, {Field::osaxis, "150"},
      {Field::odn, "1.67"},    {Field::osn, "1.67"},    {Field::odbc, "4"},
      {Field::osbc, "4"},      {Field::oddiam, "65"},   {Field::osdiam, "65"},
      {Field::odrvd, "12"},    {Field::osrvd, "12"},    {Field::odfvd, "10"},
      {Field::osfvd, "10"},    {Field::tilt, "12"},     {Field::wrap, "18"}};
  for (const auto& [field, text] : patient) window->WriteField(field, QString::fromLatin1(text));
  const QString pdf = scratch.filePath(QStringLiteral("ticket.pdf"));
  window->SetPrinterLookup(test::PdfPrinterAt(pdf));

  window->tabControl()->setCurrentIndex(prescriptionTab);
  bool ok = window->grab().save(out.filePath(QStringLiteral("prescription-tab.png")));
  ok = ok && window->Compute() &&
       window->grab().save(out.filePath(QStringLiteral("work-ticket.png")));
  window->tabControl()->setCurrentIndex(asWornTab);
  ok = ok && window->grab().save(out.filePath(QStringLiteral("as-worn-tab.png")));
  window->WriteField(Field::record, QStringLiteral("A12345"));
  ok = ok && window->Compute() && window->Print() &&
       PageToPng(pdf, out.filePath(QStringLiteral("printed-ticket.png")));
  if (!ok) std::fprintf(stderr, "app_screenshots: a picture could not be made\n");
  return ok ? 0 : 1;
}
