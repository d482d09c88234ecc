// As-Worn Rx: the window program. It takes no arguments and reads no settings.
#include <QApplication>
#include <csignal>

#include "app_title.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
  // A file size limit (ulimit -f, a full quota) must fail the Save, which is reported, instead
  // of killing the program with every unsaved entry.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  // The application's name is the caption of its message boxes. No display name is set:
  // the window system would add it to the window's title, which reads "Form1" alone.
  QApplication::setApplicationName(asworn::app::kApplicationTitle);
  // The desktop matches the window to its menu entry and icon by this id.
  QApplication::setDesktopFileName(QStringLiteral(ASWORN_APP_ID));
  asworn::app::MainWindow window;
  window.show();
  return app.exec();
}
