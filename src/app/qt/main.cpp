// Program entry: the command line first, whose console commands need no
// display; then the Qt application, the adapters of the core's ports, the
// main window, the debug window, the results window and the strategy lab,
// and the message loop. "--history [FILE]" opens only the results window on
// a history file.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/platform.h"
#include "app/qt/command_line.h"
#include "app/settings_store.h"
#include "app/qt/debug_window_view.h"
#include "app/qt/lab_window_view.h"
#include "app/qt/main_window_view.h"
#include "app/qt/qt_clipboard.h"
#include "app/qt/qt_clock.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/qt_process_memory.h"
#include "app/qt/qt_shell.h"
#include "app/qt/qt_sound_player.h"
#include "app/qt/qt_timer_host.h"
#include "app/qt/results_window_view.h"
#include "app/qt/termination_signals.h"
#include "site/webengine/webengine_browser.h"
#include "results/results_text.h"
#include "terminal/x11/x11_window_system.h"

namespace {

int PrintHistorySummary(const std::string& path) {
  const vantrope::HistoryContents contents = vantrope::ReadHistoryContents(path);
  if (!contents.opened) {
    std::fprintf(stderr, "vantrope: cannot read %s\n", path.c_str());
    return 1;
  }
  std::vector<const vantrope::THistoryRecord*> bets;
  for (const vantrope::THistoryRecord& bet : contents.records) bets.push_back(&bet);
  std::stable_sort(bets.begin(), bets.end(), [](auto* a, auto* b) { return a->Time < b->Time; });
  std::fputs(vantrope::SummaryText(bets, contents.unread_bytes).c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vantrope;

  const CommandLine command_line = ReadCommandLine(argc, argv);
  switch (command_line.action) {
    case CommandLine::Action::kExit: return command_line.exit_status;
    case CommandLine::Action::kHistorySummary: return PrintHistorySummary(command_line.history_file);
    case CommandLine::Action::kLab: {
      const LabCommandOutput output = RunLabCommand(command_line.lab, kSettingsFileName);
      std::fputs(output.out.c_str(), stdout);
      std::fputs(output.err.c_str(), stderr);
      return output.status;
    }
    case CommandLine::Action::kRun:
    case CommandLine::Action::kHistory: break;
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

  if (command_line.action == CommandLine::Action::kHistory) {
    QtDialogs dialogs;
    ResultsWindow results;
    ResultsWindowView view(results, dialogs);
    dialogs.AttachMainWindow(&view);
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    results.Open(command_line.history_file);
    return app.exec();
  }

  QtTimerHost timers(command_line.time_scale);
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
  ResultsWindowView results_window(form.results, dialogs);
  LabWindowView lab_window(form.lab, dialogs);
  shell.AttachMainWindow(&main_window);
  dialogs.AttachMainWindow(&main_window);

  TerminationSignals termination([&form] { form.CloseFromOutside(); });
  form.ProgramPath = argv[0];
  form.CreateWindows();
  termination.Listen();
  return app.exec();
}
