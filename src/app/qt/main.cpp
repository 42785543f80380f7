// Program entry: the Qt application, the adapters of the core's ports, the
// main window and the debug window, then the message loop.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

#include "app/main_form.h"
#include "app/platform.h"
#include "app/qt/debug_window_view.h"
#include "app/qt/main_window_view.h"
#include "app/qt/qt_clipboard.h"
#include "app/qt/qt_clock.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/qt_process_memory.h"
#include "app/qt/qt_shell.h"
#include "app/qt/qt_sound_player.h"
#include "app/qt/qt_timer_host.h"
#include "app/qt/termination_signals.h"
#include "app/qt/time_scale_option.h"
#include "site/webengine/webengine_browser.h"
#include "terminal/x11/x11_window_system.h"

int main(int argc, char** argv) {
  using namespace vantrope;

  // Read before Qt takes its own options out of the command line.
  const std::optional<int> time_scale = ParseTimeScale(argc, argv);
  if (!time_scale) {
    std::fprintf(stderr, "usage: %s [--time-scale N]   (N: a whole number from 1; timers run N times faster)\n",
                 argv[0]);
    return 2;
  }

  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // asked for by Qt WebEngine
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantrope"));
  // Qt's own texts (standard buttons, the file dialog) in the user's language.
  QTranslator qt_texts;
  if (qt_texts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qt_texts);
  // The texts are Russian: a font with Cyrillic letters.
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));

  QtTimerHost timers(*time_scale);
  WebEngineBrowser browser;
  QtClock clock;
  X11WindowSystem windows;
  // The screen saver is reset through the X server.
  QtShell shell(timers, browser, [&windows] { windows.ResetScreenSaver(); });
  QtDialogs dialogs;
  QtClipboard clipboard;
  QtSoundPlayer sounds;
  QtProcessMemory memory;
  Platform platform{clock, timers, shell, dialogs, clipboard, sounds, memory, browser, windows};

  TMainForm form(platform);
  MainWindowView main_window(form, browser.View());
  DebugWindowView debug_window(form.fmDebug);
  shell.AttachMainWindow(&main_window);
  dialogs.AttachMainWindow(&main_window);

  TerminationSignals termination([&form] { form.CloseFromOutside(); });
  form.ProgramPath = argv[0];
  form.CreateWindows();
  termination.Listen();
  return app.exec();
}
