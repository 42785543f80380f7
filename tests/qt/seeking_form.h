// The main form on the real X11 window system, the other ports doubles,
// with terminal control on: the seeker as the program runs it, in virtual
// time.
#pragma once

#include <string>

#include "app/main_form.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "terminal/x11/x11_window_system.h"

namespace vantrope::testing {

struct SeekingForm {
  // `terminal_class` empty: the shipped default.
  explicit SeekingForm(const std::string& terminal_class = "") {
    form.CreateWindows();
    if (!terminal_class.empty()) form.terminal.TerminalPageName = terminal_class;
    form.cbAlpariSeek.SetChecked(true);
    form.cbAlpariSeekClick();
  }

  X11WindowSystem windows;
  TempWorkDir dir;
  FakePlatform fake;
  Platform platform{fake.clock, fake.clock,  fake.shell,   fake.dialogs, fake.clipboard,
                    fake.sounds, fake.memory, fake.browser, windows};
  TMainForm form{platform};
};

}  // namespace vantrope::testing
