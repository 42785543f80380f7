// Where the terminal takes its time from: the real clock in the program,
// a hand-driven one in tests.
#pragma once

#include <cstdint>

namespace vantrope::demo::terminal {

class TerminalClock {
 public:
  virtual ~TerminalClock() = default;
  // Milliseconds from any fixed start; never goes back.
  virtual int64_t NowMs() = 0;
};

}  // namespace vantrope::demo::terminal
