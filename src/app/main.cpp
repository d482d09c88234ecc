// SPDX-License-Identifier: Apache-2.0
// As-Worn Rx: the window program. Apart from --version and --help it takes no arguments; the
// user's settings (the order, the window's size and place) are read by the window itself.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "app_title.h"
#include "main_window.h"

namespace {

constexpr char kUsage[] =
    "Usage: asworn\n"
    "Opens the As-Worn Rx window: enter a patient's prescription, lens and fitting, press\n"
    "Compute for the compensated prescription, and Print, Save or Load as needed.\n"
    "Without a window, asworn-cli computes the same tickets.\n"
    "\n"
    "  --version  print the version and exit\n"
    "  --help     print this text and exit\n";

// A window system that cannot be reached is fatal to Qt, which would abort: say so in words
// and end with status 1 instead. Only while the application starts; later fatal errors keep
// Qt's own handling.
QtMessageHandler qtHandler = nullptr;

void NoDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (qtHandler) qtHandler(type, context, message);
    return;
  }
  std::fprintf(stderr, "asworn: cannot open the window: no display could be reached (%s)\n",
               message.toLocal8Bit().constData());
  std::_Exit(1);
}

// True where the window system is certainly absent: X11 or Wayland asked for (or left to Qt's
// choice) with neither display named.
bool NoDisplayNamed() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  const bool windowSystem =
      platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
  return windowSystem && qEnvironmentVariableIsEmpty("DISPLAY") &&
         qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

constexpr int kInternalErrorStatus = 70;  // EX_SOFTWARE

int InternalError(const char* what) {
  std::fprintf(stderr, "asworn: internal error: %s\n", what);
  return kInternalErrorStatus;
}

// Qt lets an exception from an event handler unwind through the event loop, where the window
// system's C code cannot pass it on; caught here it ends the loop, and main reports it.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      Fail(QString::fromLocal8Bit(e.what()));
    } catch (...) {
      Fail(QStringLiteral("unknown exception"));
    }
    return false;
  }
  // What ended the loop, if an exception did.
  const QString& fault() const { return fault_; }

 private:
  void Fail(const QString& what) {
    if (fault_.isEmpty()) fault_ = what;
    exit(kInternalErrorStatus);
  }

  QString fault_;
};

}  // namespace

int main(int argc, char* argv[]) {
  bool platformGiven = false;  // Qt's own -platform option names the window system
  for (int i = 1; i < argc; ++i) {
    platformGiven = platformGiven || std::strcmp(argv[i], "-platform") == 0;
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("asworn %s\n", ASWORN_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  // A file size limit (ulimit -f, a full quota) must fail the Save, which is reported, instead
  // of killing the program with every unsaved entry.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!platformGiven && NoDisplayNamed()) {
    std::fputs(
        "asworn: cannot open the window: no display (DISPLAY and WAYLAND_DISPLAY are "
        "unset); asworn-cli computes tickets without one\n",
        stderr);
    return 1;
  }
  // Anything that escapes start-up or an event handler is a fault of the program: say so and
  // end with the status of an internal error, never a bare abort.
  try {
    qtHandler = qInstallMessageHandler(NoDisplay);
    GuardedApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    // The application's name is the caption of its message boxes. No display name is set:
    // the window system would add it to the window's title, which reads "Form1" alone.
    QApplication::setApplicationName(asworn::app::kApplicationTitle);
    // The desktop matches the window to its menu entry and icon by this id.
    QApplication::setDesktopFileName(QStringLiteral(ASWORN_APP_ID));
    asworn::app::MainWindow window;
    window.show();
    const int status = app.exec();
    if (app.fault().isEmpty()) return status;
    return InternalError(app.fault().toLocal8Bit().constData());
  } catch (const std::exception& e) {
    return InternalError(e.what());
  } catch (...) {
    return InternalError("unknown exception");
  }
}
