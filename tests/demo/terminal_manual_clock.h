// The demo terminal's time, moved by hand.
#pragma once

#include <cstdint>

#include "demo/terminal/terminal_clock.h"

namespace vantrope::testing {

class ManualTerminalClock : public demo::terminal::TerminalClock {
 public:
  int64_t NowMs() override { return now_ms; }
  int64_t now_ms = 0;
};

}  // namespace vantrope::testing
