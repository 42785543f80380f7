// Everything outside the core, as the core sees it.
#pragma once

#include "app/clipboard.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/process_memory.h"
#include "app/shell.h"
#include "app/sound_player.h"
#include "app/timer.h"
#include "site/web_browser.h"
#include "terminal/window_system.h"

namespace vantrope {

struct Platform {
  Clock& clock;
  ui::TimerHost& timers;
  Shell& shell;
  Dialogs& dialogs;
  Clipboard& clipboard;
  SoundPlayer& sounds;
  ProcessMemory& memory;
  WebBrowser& browser;
  WindowSystem& windows;
};

}  // namespace vantrope
