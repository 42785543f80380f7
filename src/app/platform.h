// Everything outside the core, as the core sees it.
#pragma once

#include "desktop/clipboard.h"
#include "desktop/clock.h"
#include "desktop/dialogs.h"
#include "desktop/process_memory.h"
#include "desktop/shell.h"
#include "desktop/sound_player.h"
#include "ui/timer.h"
#include "site/web_browser.h"
#include "desktop/window_system.h"

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
