// The program as its entry puts it together -- the Qt adapters, the main
// form, the main window and the debug window -- started in a fresh folder
// with the shipped settings. Only the dialogs are a double, so that no test
// waits for a user; an error report (a modal box) fails the test and is
// closed.
#pragma once

#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "app/main_form.h"
#include "app/qt/debug_window_view.h"
#include "app/qt/main_window_view.h"
#include "app/qt/qt_clipboard.h"
#include "app/qt/qt_clock.h"
#include "app/qt/qt_process_memory.h"
#include "app/qt/qt_shell.h"
#include "app/qt/qt_sound_player.h"
#include "app/qt/qt_timer_host.h"
#include "settings/ini_file.h"
#include "site/webengine/webengine_browser.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "terminal/x11/x11_window_system.h"

namespace vantrope::testing {

class QtProgram {
 public:
  // `time_scale` divides every timer interval; `edit_settings` changes the
  // shipped settings file before start-up. With a `data_folder` the program
  // starts there, on the files it holds, instead of in a fresh one.
  explicit QtProgram(int time_scale = 1, const std::function<void(IniFile&)>& edit_settings = {},
                     const std::filesystem::path& data_folder = {});

  TempWorkDir dir;
  FakeDialogs dialogs;
  QtTimerHost timers;
  WebEngineBrowser browser;
  QtClock clock;
  X11WindowSystem windows;
  QtShell shell;
  QtClipboard clipboard;
  QtSoundPlayer sounds;
  QtProcessMemory memory;
  Platform platform;
  TMainForm form;
  MainWindowView main_window;
  DebugWindowView debug_window;

 private:
  void CloseModalBox();

  QTimer modal_watch_;
};

// Points the shipped addresses (port 8470) at a demo broker on `port`.
void PointAddressesAt(IniFile& ini, const std::string& port);

}  // namespace vantrope::testing
